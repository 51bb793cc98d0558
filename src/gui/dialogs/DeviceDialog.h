#pragma once
// The modal dialog in which the operator creates or edits one device record. The record changes
// only when the dialog ends with OK. GUI thread only.
#include <QDialog>
#include <memory>

#include "presentation/DeviceForm.h"

namespace Ui {
class DeviceDialog;
}
class QComboBox;

namespace zor {

// Results of the shell's modal dialogs, as the callers test them.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

// Whether the dialog fills a new record or changes a listed one; its title says which.
enum class DeviceDialogPurpose { Add, Edit };

class DeviceDialog : public QDialog {
  Q_OBJECT
 public:
  // `device` must outlive the dialog; the Apps list is read from AppConfig::AppsDir.
  DeviceDialog(QWidget* owner, DeviceInfo& device, DeviceDialogPurpose purpose = DeviceDialogPurpose::Add);
  ~DeviceDialog() override;

  // Runs the dialog modally: kDialogOk or kDialogCancel.
  static int Run(QWidget* owner, DeviceInfo& device, DeviceDialogPurpose purpose);

  Ui::DeviceDialog& Controls() { return *ui_; }

 private:
  void Fill(const DeviceForm& form);
  DeviceForm Read() const;
  void OnOk();
  void MoveWithButton(bool to_selected);

  std::unique_ptr<Ui::DeviceDialog> ui_;
  DeviceInfo& device_;
};

}  // namespace zor
