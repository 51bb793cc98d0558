#pragma once
// The modal App Manager: create, edit and delete Apps (their texts, user values, script and
// ordered Scene list). GUI thread only.
#include <QDialog>
#include <array>
#include <memory>

#include "model/AppInfo.h"

class QLineEdit;

namespace Ui {
class AppManagerDialog;
}

namespace zor {

class AppManagerDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AppManagerDialog(QWidget* owner);
  ~AppManagerDialog() override;

  // Runs the dialog modally with an empty App; the result is kDialogCancel (Close).
  static int Run(QWidget* owner);

  Ui::AppManagerDialog& Controls() { return *ui_; }
  const AppInfo& App() const { return app_; }

  // The dialog's actions, as its buttons and lists trigger them.
  void OpenSelectedApp();   // double click in "App List"
  void AddSelectedScene();  // double click in "Scene List"
  void RemoveSelectedScene();  // double click in "Select Scene"
  void Save();
  void Delete();
 private:
  // The message that keeps a blank or unsafe name from being saved; true when the name is fine.
  bool NameAllowsSaving();
  std::array<QLineEdit*, 6> OneLineEdits() const;
  void FillFromApp();
  void ListApps();

  std::unique_ptr<Ui::AppManagerDialog> ui_;
  AppInfo app_;  // the App being edited; empty when the dialog opens
};

}  // namespace zor
