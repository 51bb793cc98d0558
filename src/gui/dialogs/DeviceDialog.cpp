#include "gui/dialogs/DeviceDialog.h"

#include "gui/dialogs/ListMoves.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "model/AppConfig.h"
#include "platform/FolderListing.h"
#include "ui_DeviceDialog.h"

namespace zor {
namespace {

void FillChoices(QComboBox& combo, std::span<const std::u16string_view> choices, const std::u16string& selected) {
  combo.clear();
  for (std::u16string_view c : choices) combo.addItem(ToQString(std::u16string(c)));
  combo.setCurrentIndex(std::max(0, combo.findText(ToQString(selected))));
}

}  // namespace

DeviceDialog::DeviceDialog(QWidget* owner, DeviceInfo& device, DeviceDialogPurpose purpose)
    : QDialog(owner), ui_(std::make_unique<Ui::DeviceDialog>()), device_(device) {
  ui_->setupUi(this);
  setFont(UiFont());
  setWindowTitle(purpose == DeviceDialogPurpose::Edit ? tr("Device Edit") : tr("Device Add"));
  ui_->appList->setSortingEnabled(true);
  Fill(MakeDeviceForm(device, ListFolderFiles(AppConfig::Instance().AppsDir, u".app")));

  connect(ui_->okButton, &QPushButton::clicked, this, &DeviceDialog::OnOk);
  connect(ui_->cancelButton, &QPushButton::clicked, this, [this] { done(kDialogCancel); });
  connect(ui_->moveToSelectButton, &QPushButton::clicked, this, [this] { MoveWithButton(true); });
  connect(ui_->moveToAppListButton, &QPushButton::clicked, this, [this] { MoveWithButton(false); });
  connect(ui_->appList, &QListWidget::itemDoubleClicked, this,
          [this] { MoveSelectedEntry(*ui_->appList, *ui_->selectAppList); });
  connect(ui_->selectAppList, &QListWidget::itemDoubleClicked, this,
          [this] { MoveSelectedEntry(*ui_->selectAppList, *ui_->appList); });
}

DeviceDialog::~DeviceDialog() = default;

int DeviceDialog::Run(QWidget* owner, DeviceInfo& device, DeviceDialogPurpose purpose) {
  DeviceDialog dialog(owner, device, purpose);
  const int result = dialog.exec();
  // Closing the window by its frame counts as Cancel, as Escape does.
  return result == kDialogOk ? kDialogOk : kDialogCancel;
}

void DeviceDialog::Fill(const DeviceForm& form) {
  const AppConfig& config = AppConfig::Instance();
  for (size_t i = 0; i < config.DeviceTypes.size(); ++i) {
    ui_->typeCombo->addItem(ToQString(config.DeviceTypes[i].label), static_cast<int>(i));
  }
  ui_->typeCombo->setCurrentIndex(form.type_index);
  for (size_t i = 0; i < config.Resolutions.size(); ++i) {
    ui_->screenCombo->addItem(ToQString(config.Resolutions[i].label), static_cast<int>(i));
  }
  ui_->screenCombo->setCurrentIndex(form.screen_index);
  ui_->nameEdit->setText(ToQString(form.name));
  ui_->connectIpEdit->setText(ToQString(form.connect_ip));
  ui_->portEdit->setText(ToQString(form.port));
  ui_->ctrlPortEdit->setText(ToQString(form.ctrl_port));
  ui_->userIdEdit->setText(ToQString(form.user_id));
  ui_->userPasswordEdit->setText(ToQString(form.user_password));
  ui_->ctrlIdEdit->setText(ToQString(form.ctrl_id));
  ui_->ctrlPasswordEdit->setText(ToQString(form.ctrl_password));
  FillChoices(*ui_->thumbQualityCombo, kQualityChoices, form.thumb_quality);
  FillChoices(*ui_->thumbFpsCombo, kThumbFpsChoices, form.thumb_fps);
  FillChoices(*ui_->fullQualityCombo, kQualityChoices, form.full_quality);
  FillChoices(*ui_->fullFpsCombo, kFullFpsChoices, form.full_fps);
  SetListEntries(*ui_->appList, form.available_apps);
  SetListEntries(*ui_->selectAppList, form.selected_apps);
}

DeviceForm DeviceDialog::Read() const {
  DeviceForm form;
  form.type_index = ui_->typeCombo->currentData().isValid() ? ui_->typeCombo->currentData().toInt() : -1;
  form.screen_index = ui_->screenCombo->currentData().isValid() ? ui_->screenCombo->currentData().toInt() : -1;
  form.name = FromQString(ui_->nameEdit->text());
  form.connect_ip = FromQString(ui_->connectIpEdit->text());
  form.port = FromQString(ui_->portEdit->text());
  form.ctrl_port = FromQString(ui_->ctrlPortEdit->text());
  form.user_id = FromQString(ui_->userIdEdit->text());
  form.user_password = FromQString(ui_->userPasswordEdit->text());
  form.ctrl_id = FromQString(ui_->ctrlIdEdit->text());
  form.ctrl_password = FromQString(ui_->ctrlPasswordEdit->text());
  form.thumb_quality = FromQString(ui_->thumbQualityCombo->currentText());
  form.thumb_fps = FromQString(ui_->thumbFpsCombo->currentText());
  form.full_quality = FromQString(ui_->fullQualityCombo->currentText());
  form.full_fps = FromQString(ui_->fullFpsCombo->currentText());
  form.selected_apps = ListEntries(*ui_->selectAppList);
  return form;
}

void DeviceDialog::OnOk() {
  ApplyDeviceForm(Read(), device_);
  done(kDialogOk);
}

void DeviceDialog::MoveWithButton(bool to_selected) {
  QListWidget& from = to_selected ? *ui_->appList : *ui_->selectAppList;
  QListWidget& to = to_selected ? *ui_->selectAppList : *ui_->appList;
  if (!MoveSelectedEntryAndReselect(from, to)) ShowSelectFirstNotice(this);
}

}  // namespace zor
