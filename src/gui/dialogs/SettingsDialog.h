#pragma once
// The Settings dialog of the tool bar's gear button: one row per setting of SettingsRows (label,
// value, and why it has that value), then the language, stored with QSettings as soon as it is
// chosen. GUI thread only.
#include <QDialog>
#include <vector>

#include "presentation/SettingsRows.h"

class QComboBox;
class QFormLayout;
class QLabel;

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

 private:
  void AddLanguageRow(QFormLayout& form);

  QComboBox* language_ = nullptr;
  std::vector<QLabel*> values_;
  std::vector<QLabel*> notes_;
};

}  // namespace zor
