#include "gui/editor/SceneToolForm.h"

#include <QLabel>

#include "gui/editor/SceneEditor.h"
#include "gui/editor/SceneToolWindow.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "model/AppConfig.h"
#include "model/SceneData.h"
#include "platform/FolderListing.h"
#include "presentation/SceneFormRules.h"

namespace zor {
namespace {

// Geometry of the form: labels 120 wide at x 8, boxes 90 wide at x 128, rows 24 apart; the
// multi-line boxes leave 188 pixels at the right for the Scene list.
constexpr int kLabelX = 8;
constexpr int kLabelWidth = 120;
constexpr int kBoxX = 128;
constexpr int kBoxWidth = 90;
constexpr int kLineHeight = 20;
constexpr int kRightColumn = 188;
constexpr int kListWidth = 164;
constexpr int kListRight = 172;
constexpr int kListHeight = 434;
const FontSpec kFormFont{u"Segoe UI", 12, 400};

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect place, bool right_aligned) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(place);
  label->setAlignment((right_aligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  return label;
}

QLineEdit* MakeLine(QWidget* parent, int y) {
  auto* box = new QLineEdit(parent);
  box->setGeometry(kBoxX, y, kBoxWidth, kLineHeight);
  return box;
}

QPlainTextEdit* MakeText(QWidget* parent, QRect place) {
  auto* box = new QPlainTextEdit(parent);
  box->setGeometry(place);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return box;
}

std::u16string BoxText(const QPlainTextEdit* box) { return FromBoxText(FromQString(box->toPlainText())); }

}  // namespace

SceneToolForm::SceneToolForm(SceneEditor& editor, QWidget* scene_tool, int width) : QWidget(scene_tool), editor_(editor) {
  setObjectName("TopToolWndClass");
  setGeometry(0, 0, width, kFormHeight);
  setFont(ToQFont(kFormFont));
  Build(width);
  Connect();
}

void SceneToolForm::Build(int width) {
  const int text_width = width - kRightColumn;
  MakeLabel(this, tr("SceneName : "), {kLabelX, 0, kLabelWidth, kLineHeight}, true);
  scene_name_ = MakeLine(this, 0);
  MakeLabel(this, tr("SceneDesc : "), {kLabelX, 24, kLabelWidth, kLineHeight}, true);
  scene_desc_ = MakeLine(this, 24);
  MakeLabel(this, tr("SceneScript"), {kLabelX, 48, text_width, kLineHeight}, false);
  scene_script_ = MakeText(this, {kLabelX, 68, text_width, 80});
  MakeLabel(this, tr("Item Name : "), {kLabelX, 156, kLabelWidth, kLineHeight}, true);
  item_name_ = MakeLine(this, 156);
  MakeLabel(this, tr("Item Type : "), {kLabelX, 180, kLabelWidth, kLineHeight}, true);
  item_type_ = new QComboBox(this);
  item_type_->setGeometry(kBoxX, 180, kBoxWidth, kLineHeight);
  for (const AnalysisModeInfo& mode : AppConfig::Instance().AnalysisModes) item_type_->addItem(ToQString(mode.name));
  MakeLabel(this, tr("Color : "), {kLabelX, 204, kLabelWidth, kLineHeight}, true);
  colour_ = MakeLine(this, 204);
  MakeLabel(this, tr("CF : "), {kLabelX, 228, kLabelWidth, kLineHeight}, true);
  threshold_ = MakeLine(this, 228);
  MakeLabel(this, tr("Item Params"), {kLabelX, 252, text_width, kLineHeight}, false);
  params_ = MakeText(this, {kLabelX, 272, text_width, 60});
  MakeLabel(this, tr("Item Script"), {kLabelX, 340, text_width, kLineHeight}, false);
  item_script_ = MakeText(this, {kLabelX, 360, text_width, 80});
  MakeLabel(this, tr("Scene List"), {width - kListRight, 0, kListWidth, kLineHeight}, false);
  scene_list_ = new QListWidget(this);
  scene_list_->setGeometry(width - kListRight, 20, kListWidth, kListHeight);
  scene_list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void SceneToolForm::Connect() {
  SceneData& scene = editor_.Model().Scene();
  connect(scene_name_, &QLineEdit::textChanged, this, [&scene](const QString& text) { scene.Name = FormName(FromQString(text)); });
  connect(scene_desc_, &QLineEdit::textChanged, this,
          [&scene](const QString& text) { scene.Description = FormName(FromQString(text)); });
  connect(scene_script_, &QPlainTextEdit::textChanged, this, [this, &scene] { scene.Script = BoxText(scene_script_); });
  connect(scene_list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* line) {
    if (line != nullptr) LoadScene(line->text());
  });
  connect(item_name_, &QLineEdit::textChanged, this, [this] { ApplyItemName(); });
  connect(item_type_, &QComboBox::currentIndexChanged, this, [this](int selection) { ApplyItemType(selection); });
  connect(colour_, &QLineEdit::textChanged, this, [this] { ApplyColour(); });
  connect(threshold_, &QLineEdit::textChanged, this, [this] { ApplyThreshold(); });
  connect(params_, &QPlainTextEdit::textChanged, this, [this] { ApplyParams(); });
  connect(item_script_, &QPlainTextEdit::textChanged, this, [this] { ApplyItemScript(); });
}

void SceneToolForm::ApplyItemName() {
  if (!item_) return;
  item_->Name = FormName(FromQString(item_name_->text()));
  if (SceneToolWindow* tool = editor_.Tool()) tool->RepaintList();
}

void SceneToolForm::ApplyItemType(int selection) {
  if (!item_ || selection < 0 || selection == item_->AnalysisType) return;
  item_->AnalysisType = selection;
  editor_.Model().SetEngineChoice(selection);
  editor_.Model().SetCapturePending();
}

void SceneToolForm::ApplyColour() {
  if (item_) item_->Color = ParseColourText(FromQString(colour_->text()));
}

void SceneToolForm::ApplyThreshold() {
  if (item_) item_->Threshold = ParseThresholdText(FromQString(threshold_->text()));
}

void SceneToolForm::ApplyParams() {
  if (item_) item_->Params = ParseParamsText(FromQString(params_->toPlainText()));
}

void SceneToolForm::ApplyItemScript() {
  if (item_) item_->Script = BoxText(item_script_);
}

void SceneToolForm::Show(std::shared_ptr<Item> item) {
  item_ = std::move(item);
  FillForm();
}

void SceneToolForm::FillForm() {
  const SceneData& scene = editor_.Model().Scene();
  const QList<QWidget*> boxes = {scene_name_, scene_desc_, scene_script_, item_name_, item_type_,
                                 colour_,     threshold_,  params_,       item_script_};
  for (QWidget* box : boxes) box->blockSignals(true);
  scene_name_->setText(ToQString(scene.Name));
  scene_desc_->setText(ToQString(scene.Description));
  scene_script_->setPlainText(ToQString(ToBoxText(scene.Script)));
  if (item_) {
    item_name_->setText(ToQString(item_->Name));
    item_type_->setCurrentIndex(item_->AnalysisType < item_type_->count() ? item_->AnalysisType : -1);
    colour_->setText(ToQString(FormatColourText(item_->Color)));
    threshold_->setText(ToQString(FormatThresholdText(item_->Threshold)));
    item_script_->setPlainText(ToQString(ToBoxText(item_->Script)));
    params_->setPlainText(ToQString(ToBoxText(FormatParamsText(item_->Params))));
  } else {
    for (QLineEdit* box : {item_name_, colour_, threshold_}) box->clear();
    item_type_->setCurrentIndex(-1);
    item_script_->clear();
    params_->clear();
  }
  for (QWidget* box : boxes) box->blockSignals(false);
  // The single-line boxes' change notifications apply what they show: names are cut to their
  // length. Colour and threshold texts read back as the same values. Only the GUI thread
  // writes these Items: a test runs on copies of its own.
  SceneData& shown = editor_.Model().Scene();
  shown.Name = FormName(FromQString(scene_name_->text()));
  shown.Description = FormName(FromQString(scene_desc_->text()));
  if (item_) {
    item_->Name = FormName(FromQString(item_name_->text()));
    ApplyColour();
    ApplyThreshold();
  }
}

void SceneToolForm::ReloadSceneList() {
  scene_list_->clear();
  const AppConfig& config = AppConfig::Instance();
  for (const std::u16string& name : ListFolderFiles(config.ScenesDir, kSceneExtension, u"[SceneTool] ")) {
    scene_list_->addItem(ToQString(name));
  }
}

void SceneToolForm::LoadScene(const QString& name) {
  editor_.Model().LoadScene(FromQString(name));
  editor_.RefreshAll();
}

void SceneToolForm::SetEditable(bool editable) {
  for (QWidget* box : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (qobject_cast<QLabel*>(box) == nullptr) box->setEnabled(editable);
  }
}

QWidget* SceneToolForm::Control(int id) const {
  switch (id) {
    case kSceneNameBox: return scene_name_;
    case kSceneDescBox: return scene_desc_;
    case kSceneScriptBox: return scene_script_;
    case kItemNameBox: return item_name_;
    case kItemTypeBox: return item_type_;
    case kItemColourBox: return colour_;
    case kItemThresholdBox: return threshold_;
    case kItemParamsBox: return params_;
    case kItemScriptBox: return item_script_;
    case kSceneListBox: return scene_list_;
    default: return nullptr;
  }
}

}  // namespace zor
