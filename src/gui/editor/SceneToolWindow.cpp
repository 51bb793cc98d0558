#include "gui/editor/SceneToolWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPainter>
#include <filesystem>
#include <system_error>

#include "gui/editor/SceneEditor.h"
#include "gui/editor/SceneEditorView.h"
#include "gui/editor/SceneItemListView.h"
#include "gui/editor/SceneToolForm.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/StateIconButton.h"
#include "gui/widgets/UiTheme.h"
#include "model/AppConfig.h"
#include "model/StoredName.h"
#include "platform/ProgramPath.h"

namespace zor {
namespace {

struct ButtonPlace {
  int x = 0;
  int id = 0;
  char16_t glyph = 0;
  const char* tip = nullptr;
  char16_t pressed_glyph = 0;  // 0: one state only
  const char* pressed_tip = nullptr;
};

constexpr std::array<ButtonPlace, 8> kButtons = {{
    {10, kAddItemCommand, glyph::kSceneEditor,
     QT_TRANSLATE_NOOP("SceneToolWindow", "Add an Item: drag its rectangle on the screen"), glyph::kAddItemPressed,
     QT_TRANSLATE_NOOP("SceneToolWindow", "Adding an Item: drag its rectangle on the screen")},
    {42, kRecaptureCommand, glyph::kRecapture,
     QT_TRANSLATE_NOOP("SceneToolWindow", "Capture the selected Item's template again")},
    {74, kToggleActiveCommand, glyph::kToggleActive,
     QT_TRANSLATE_NOOP("SceneToolWindow", "Switch the selected Item on or off")},
    {106, kResetItemsCommand, glyph::kResetItems,
     QT_TRANSLATE_NOOP("SceneToolWindow", "Switch every Item on and forget their actions")},
    {138, kSaveSceneCommand, glyph::kSaveScene, QT_TRANSLATE_NOOP("SceneToolWindow", "Save the Scene")},
    {170, kTestItemCommand, glyph::kStartAutomation,
     QT_TRANSLATE_NOOP("SceneToolWindow", "Test the selected Item on the live screen"), glyph::kStopAutomation,
     QT_TRANSLATE_NOOP("SceneToolWindow", "Stop the Item test")},
    {202, kTestSceneCommand, glyph::kTestScene, QT_TRANSLATE_NOOP("SceneToolWindow", "Run the Scene on the device"),
     glyph::kStopAutomation, QT_TRANSLATE_NOOP("SceneToolWindow", "Stop the Scene run")},
    {252, kDeleteSceneCommand, glyph::kDelete, QT_TRANSLATE_NOOP("SceneToolWindow", "Delete the Scene's file")},
}};

QString ToolTip(const char* text) { return QCoreApplication::translate("SceneToolWindow", text); }

// The commands that change the Scene or its Items; refused while a test runs.
constexpr std::array<int, 5> kEditCommands = {kAddItemCommand, kRecaptureCommand, kToggleActiveCommand,
                                              kResetItemsCommand, kDeleteSceneCommand};

constexpr int kButtonRowY = 448;
constexpr int kButtonBandBottom = 510;
// The item list fills the rest below the band, 5 pixels in from the sides and 10 from the bottom.
constexpr int kListX = 5;
constexpr int kListInsetWidth = 10;
constexpr int kListInsetHeight = 520;

}  // namespace

SceneToolWindow::SceneToolWindow(SceneEditor& editor, QWidget* owner_view)
    : QWidget(owner_view, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), editor_(editor), owner_(owner_view) {
  setObjectName("SceneToolWindow");
  setWindowTitle(tr("Scene Tool"));
  resize(kSceneToolWidth, kSceneToolHeight);
  setStyleSheet(QStringLiteral("QLineEdit, QPlainTextEdit, QListWidget, QLabel {"
                               " color: rgb(220,220,220); background-color: rgb(37,37,38); }"));
  form_ = new SceneToolForm(editor, this, kSceneToolWidth);
  CreateButtons();
  list_ = new SceneItemListView(editor, this);
  list_->setGeometry(kListX, kButtonBandBottom, kSceneToolWidth - kListInsetWidth, kSceneToolHeight - kListInsetHeight);
  setWindowTitle(tr("SCENE TOOL"));
  ReloadSceneList();
  Refresh();
}

void SceneToolWindow::CreateButtons() {
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonPlace& place = kButtons[i];
    // The default colours of StateIconButton are the panel's: kPanelColor, kHoverColor and the grey texts.
    buttons_[i] = new StateIconButton(this, place.x, kButtonRowY, place.id, place.glyph, ToolTip(place.tip));
    buttons_[i]->SetTarget(this);
    if (place.pressed_glyph != 0) buttons_[i]->AddState(place.pressed_glyph, ToolTip(place.pressed_tip));
  }
}

StateIconButton* SceneToolWindow::Button(int command_id) const {
  for (StateIconButton* button : buttons_) {
    if (button->CommandId() == command_id) return button;
  }
  return nullptr;
}

void SceneToolWindow::Refresh() {
  form_->Show(editor_.Model().CurrentItem());
  RepaintList();
}

void SceneToolWindow::RepaintList() { list_->viewport()->repaint(); }

void SceneToolWindow::ReloadSceneList() { form_->ReloadSceneList(); }

void SceneToolWindow::ReleaseAddButton() { Button(kAddItemCommand)->SetState(0); }

bool SceneToolWindow::AddPressed() const { return Button(kAddItemCommand)->State() != 0; }

void SceneToolWindow::ShowTestState(EditorTestState state) {
  Button(kTestItemCommand)->SetState(state == EditorTestState::ItemTestRunning ? 1 : 0);
  Button(kTestSceneCommand)->SetState(state == EditorTestState::SceneTestRunning ? 1 : 0);
  const bool idle = state == EditorTestState::Idle;
  form_->SetEditable(idle);
  for (int id : kEditCommands) Button(id)->SetButtonEnabled(idle);
}

void SceneToolWindow::OnCommand(int id, int code, intptr_t) {
  if (code != kNotifyClick) return;
  SceneEditModel& model = editor_.Model();
  switch (id) {
    case kSaveSceneCommand:
      SaveScene();
      break;
    case kRecaptureCommand:
      model.RequestRecapture();
      break;
    case kTestItemCommand:
      if (!model.CurrentItem()) {
        QMessageBox box(QMessageBox::NoIcon, EditorText(kConfirmCaption), tr(kSelectItemFirstText),
                        QMessageBox::Ok, this);
        box.exec();
        break;
      }
      editor_.RequestItemTest();
      break;
    case kTestSceneCommand:
      editor_.RequestSceneTest();
      break;
    case kAddItemCommand:
      if (AddPressed() || editor_.Testing()) break;
      Button(kAddItemCommand)->SetState(1);
      model.StartAdd();
      editor_.RefreshAll();
      break;
    case kDeleteSceneCommand:
      AskDeleteScene();
      break;
    case kToggleActiveCommand:
      ToggleActive();
      break;
    case kResetItemsCommand:
      ResetItems();
      break;
    default:
      break;
  }
}

bool SceneToolWindow::SaveScene() {
  const SaveResult result = editor_.Model().SaveScene();
  if (result) {
    ReloadSceneList();
    return true;
  }
  QMessageBox box(QMessageBox::Warning, tr("Save failed"),
                  tr("The Scene \"%1\" was not saved: %2")
                      .arg(ToQString(editor_.Model().Scene().Name), QString::fromStdString(result.failure)),
                  QMessageBox::Ok, this);
  box.exec();
  return false;
}

void SceneToolWindow::ToggleActive() {
  if (const std::shared_ptr<Item> item = editor_.Model().CurrentItem()) {
    item->Active = !item->Active;
    Refresh();
  }
}

void SceneToolWindow::ResetItems() {
  // Delay, cooldown and last evaluation keep their values; the rest of the run-time state goes.
  for (const std::shared_ptr<Item>& item : editor_.Model().Scene().Items) {
    item->Active = true;
    item->Actions.clear();
  }
  Refresh();
}

void SceneToolWindow::AskDeleteScene() {
  QMessageBox box(QMessageBox::Question, tr(kDeleteSceneCaption), tr(kDeleteSceneQuestion),
                  QMessageBox::Yes | QMessageBox::No, this);
  if (box.exec() == QMessageBox::Yes && DeleteSceneFile()) ReloadSceneList();
}

bool SceneToolWindow::DeleteSceneFile() {
  SceneEditModel& model = editor_.Model();
  std::u16string path;
  if (!StoredFilePath(AppConfig::Instance().ScenesDir, model.Scene().Name, kSceneExtension, path)) return false;
  std::error_code error;
  const std::filesystem::path file(NativePath(path));
  if (!std::filesystem::is_regular_file(file, error) || !std::filesystem::remove(file, error)) return false;
  // The markers go with the Items, so that no marker points at an Item that is gone.
  model.Clear();
  editor_.RefreshAll();
  return true;
}

void SceneToolWindow::FollowOwner(bool shown) {
  if (owner_ == nullptr) return;
  // Before its first size the tool has no place yet: showing it gives it one (resizeEvent).
  if (!first_size_) PlaceAtDock();
  if (shown) show();
}

void SceneToolWindow::DockBack() {
  if (owner_ == nullptr) return;
  dock_x_ = owner_->width();
  dock_y_ = 0;
  PlaceAtDock();
}

void SceneToolWindow::PlaceAtDock() {
  placing_ = true;
  move(owner_->pos() + QPoint(dock_x_, dock_y_));
  placing_ = false;
}

bool SceneToolWindow::event(QEvent* event) {
  if (event->type() == QEvent::NonClientAreaMouseButtonDblClick) {
    DockBack();
    return true;
  }
  return QWidget::event(event);
}

void SceneToolWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (placing_ || first_size_ || owner_ == nullptr) return;
  // Moved by the user: remember where, relative to the view.
  const QPoint offset = pos() - owner_->pos();
  dock_x_ = offset.x();
  dock_y_ = offset.y();
}

void SceneToolWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!first_size_ || owner_ == nullptr) return;
  first_size_ = false;
  // Window positions include the frame, which a window gets only once it is shown: dock
  // when the showing is over.
  QMetaObject::invokeMethod(this, &SceneToolWindow::DockBack, Qt::QueuedConnection);
}

void SceneToolWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  painter.fillRect(0, kButtonRowY, width(), kButtonBandBottom - kButtonRowY, ToQColor(kPanelColor));
}

}  // namespace zor
