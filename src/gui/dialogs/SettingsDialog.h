#pragma once
// The Settings dialog of the tool bar's gear button: one row per setting of SettingsRows (label,
// value, and why it has that value), then the language, the automation watchdog's times, the unattended start
// and the run logs' folder,
// stored with QSettings as soon as they are chosen. GUI thread only.
#include <QDialog>
#include <vector>

#include "presentation/SettingsRows.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace zor {

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  SettingsDialog(QWidget* owner, const std::vector<SettingsRow>& rows);

  // Runs the dialog modally on the program's current configuration.
  static int Run(QWidget* owner);

  // The value shown in row `index`, and the note under it (for tests and accessibility).
  QLabel* Value(size_t index) const { return values_.at(index); }
  QLabel* Note(size_t index) const { return notes_.at(index); }
  QComboBox* Language() const { return language_; }
  QSpinBox* NoSignalSeconds() const { return no_signal_; }
  QSpinBox* StallMinutes() const { return stall_; }
  QCheckBox* StartAutomation() const { return start_automation_; }
  QLineEdit* RunLogFolder() const { return run_log_folder_; }

 private:
  void AddLanguageRow(QFormLayout& form);
  // The watchdog's times for every device's runs, stored as soon as they change.
  void AddWatchdogRows(QFormLayout& form);
  // Unattended start of every pane's Apps, stored as soon as it is ticked.
  void AddStartAutomationRow(QFormLayout& form);
  // Where the runs of the device's Apps write their logs; empty: no logs. Stored as typed.
  void AddRunLogRow(QFormLayout& form);

  QComboBox* language_ = nullptr;
  QSpinBox* no_signal_ = nullptr;
  QSpinBox* stall_ = nullptr;
  QCheckBox* start_automation_ = nullptr;
  QLineEdit* run_log_folder_ = nullptr;
  std::vector<QLabel*> values_;
  std::vector<QLabel*> notes_;
};

}  // namespace zor
