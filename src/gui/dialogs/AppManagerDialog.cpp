#include "gui/dialogs/AppManagerDialog.h"

#include <QMessageBox>

#include "gui/dialogs/DeviceDialog.h"
#include "gui/dialogs/ListMoves.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "model/AppConfig.h"
#include "platform/FolderListing.h"
#include "presentation/AppManagerForm.h"
#include "presentation/FormText.h"
#include "ui_AppManagerDialog.h"

namespace zor {
namespace {

constexpr char16_t kSceneExtension[] = u".scene";
// Prefix of the folder listing's diagnostic line from this dialog.
constexpr char16_t kListingDiagPrefix[] = u"[ZOR] ";

std::vector<std::u16string> SceneFiles() {
  return ListFolderFiles(AppConfig::Instance().ScenesDir, kSceneExtension, kListingDiagPrefix);
}

// The dialog's text uses the monospaced Korean face.
QFont DialogFont() {
  QFont font(QStringLiteral("NanumGothicCoding"));
  font.setPixelSize(kUiFontRequest.pixel_height);
  return font;
}

}  // namespace

AppManagerDialog::AppManagerDialog(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::AppManagerDialog>()) {
  ui_->setupUi(this);
  setFont(DialogFont());
  setWindowTitle(tr("App Manager"));
  for (QLineEdit* edit : OneLineEdits()) edit->setMaxLength(static_cast<int>(kMaxEditChars));
  ui_->sceneList->setSortingEnabled(true);
  ui_->appList->setSortingEnabled(true);
  ListApps();
  SetListEntries(*ui_->sceneList, SceneFiles());

  connect(ui_->appList, &QListWidget::itemDoubleClicked, this, &AppManagerDialog::OpenSelectedApp);
  connect(ui_->sceneList, &QListWidget::itemDoubleClicked, this, &AppManagerDialog::AddSelectedScene);
  connect(ui_->selectSceneList, &QListWidget::itemDoubleClicked, this, &AppManagerDialog::RemoveSelectedScene);
  connect(ui_->saveButton, &QPushButton::clicked, this, &AppManagerDialog::Save);
  connect(ui_->deleteButton, &QPushButton::clicked, this, &AppManagerDialog::Delete);
  connect(ui_->closeButton, &QPushButton::clicked, this, [this] { done(kDialogCancel); });
  // "◀" and "▶" are there but have no action.
}

AppManagerDialog::~AppManagerDialog() = default;

std::array<QLineEdit*, 6> AppManagerDialog::OneLineEdits() const {
  return {ui_->appNameEdit, ui_->appDescEdit, ui_->userIdEdit, ui_->userPasswordEdit, ui_->userDefineEdit,
          ui_->userEtcEdit};
}

int AppManagerDialog::Run(QWidget* owner) {
  AppManagerDialog dialog(owner);
  dialog.exec();
  return kDialogCancel;
}

void AppManagerDialog::ListApps() {
  SetListEntries(*ui_->appList, ListFolderFiles(AppConfig::Instance().AppsDir, u".app", kListingDiagPrefix));
}

void AppManagerDialog::OpenSelectedApp() {
  const QListWidgetItem* item = ui_->appList->currentItem();
  if (item != nullptr && item->isSelected() && !item->text().isEmpty()) {
    app_.Load(FromQString(item->text()));  // a failed load shows what the App held before
  }
  FillFromApp();
}

void AppManagerDialog::FillFromApp() {
  const AppManagerForm form = MakeAppManagerForm(app_, SceneFiles());
  ui_->appNameEdit->setText(ToQString(form.name));
  ui_->appDescEdit->setText(ToQString(form.description));
  ui_->userIdEdit->setText(ToQString(form.user_id));
  ui_->userPasswordEdit->setText(ToQString(form.user_password));
  ui_->userDefineEdit->setText(ToQString(form.user_define));
  ui_->userEtcEdit->setText(ToQString(form.user_etc));
  ui_->scriptEdit->setPlainText(ToQString(form.script));
  ui_->selectSceneList->setUpdatesEnabled(false);
  ui_->sceneList->setUpdatesEnabled(false);
  SetListEntries(*ui_->selectSceneList, form.selected_scenes);
  SetListEntries(*ui_->sceneList, form.available_scenes);
  ui_->selectSceneList->setUpdatesEnabled(true);
  ui_->sceneList->setUpdatesEnabled(true);
}

void AppManagerDialog::AddSelectedScene() { MoveSelectedEntry(*ui_->sceneList, *ui_->selectSceneList); }

void AppManagerDialog::RemoveSelectedScene() {
  // The notice has no owner, as the dialog's own notices of this kind never had.
  if (!MoveSelectedEntryAndReselect(*ui_->selectSceneList, *ui_->sceneList)) ShowSelectFirstNotice(nullptr);
}

void AppManagerDialog::Save() {
  AppManagerForm form;
  form.name = FromQString(ui_->appNameEdit->text());
  form.description = FromQString(ui_->appDescEdit->text());
  form.user_id = FromQString(ui_->userIdEdit->text());
  form.user_password = FromQString(ui_->userPasswordEdit->text());
  form.user_define = FromQString(ui_->userDefineEdit->text());
  form.user_etc = FromQString(ui_->userEtcEdit->text());
  form.script = FromQString(ui_->scriptEdit->toPlainText());
  form.selected_scenes = ListEntries(*ui_->selectSceneList);
  ApplyAppManagerForm(form, app_);
  if (!NameAllowsSaving()) return;
  if (const SaveResult saved = app_.Save(); !saved) {
    // The operator's App exists only in the dialog: say so rather than lose it silently.
    QMessageBox::critical(this, tr("Error"),
                          tr("Could not save the App information.\n") + QString::fromStdString(saved.failure));
  }
  ListApps();
}

bool AppManagerDialog::NameAllowsSaving() {
  switch (CheckAppName(app_.Name)) {
    case AppNameCheck::Ok: return true;
    case AppNameCheck::Blank:
      QMessageBox::warning(this, tr("App Manager"), tr("Give the App a name before saving it."));
      return false;
    case AppNameCheck::Unsafe:
      QMessageBox::warning(this, tr("App Manager"),
                           tr("An App name cannot contain / or \\ and cannot be . or .. Choose another name."));
      return false;
  }
  return false;
}

void AppManagerDialog::Delete() {
  const QString name = ToQString(app_.Name);
  const auto answer = QMessageBox::question(this, tr("App Manager"), tr("Delete the App \"%1\"?").arg(name),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  if (answer != QMessageBox::Yes) return;
  if (!app_.Delete()) {
    QMessageBox::critical(this, tr("Error"), tr("There is no file to delete, or deleting it failed."));
    return;
  }
  for (QLineEdit* edit : OneLineEdits()) edit->clear();
  ui_->scriptEdit->clear();
  ui_->selectSceneList->clear();
  ListApps();
  SetListEntries(*ui_->sceneList, SceneFiles());  // the deleted App's Scenes are free again
  QMessageBox::information(this, tr("Notice"), tr("The App information was deleted."));
}

}  // namespace zor
