#include "gui/dialogs/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/widgets/AutoStartSetting.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/RunLogSetting.h"
#include "gui/widgets/UiTranslations.h"
#include "gui/widgets/WatchdogDefaults.h"
#include "presentation/RunLogWriter.h"

namespace zor {
namespace {

QString Translated(const std::string& source_text) {
  return QCoreApplication::translate("SettingsDialog", source_text.c_str());
}

// The language choices as stored, in the order of the combo box.
constexpr const char* kLanguageChoices[] = {kFollowSystemLanguage.data(), "ko", "en"};

// A value with a greyed note under it, as every row of the dialog.
void AddNotedRow(QFormLayout& form, const QString& label, QWidget* value, const QString& note_text) {
  auto* note = new QLabel(note_text);
  note->setWordWrap(true);
  note->setEnabled(false);
  auto* cell = new QVBoxLayout;
  cell->addWidget(value);
  cell->addWidget(note);
  form.addRow(label, cell);
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* owner, const std::vector<SettingsRow>& rows) : QDialog(owner) {
  setWindowTitle(tr("Settings"));
  auto* form = new QFormLayout;
  for (const SettingsRow& row : rows) {
    auto* value = new QLabel(ToQString(row.value));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);  // a folder is worth copying
    auto* note = new QLabel(Translated(row.note));
    note->setWordWrap(true);
    note->setEnabled(false);  // drawn greyed, under the value it explains
    auto* cell = new QVBoxLayout;
    cell->addWidget(value);
    cell->addWidget(note);
    form->addRow(Translated(row.label), cell);
    values_.push_back(value);
    notes_.push_back(note);
  }
  AddLanguageRow(*form);
  AddWatchdogRows(*form);
  AddStartAutomationRow(*form);
  AddRunLogRow(*form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void SettingsDialog::AddLanguageRow(QFormLayout& form) {
  language_ = new QComboBox;
  // A language is named in itself, so that an operator who cannot read the current one finds it.
  language_->addItems({tr("Follow the system"), QStringLiteral("한국어"), QStringLiteral("English")});
  const QString stored = StoredLanguageChoice(QSettings());
  for (int i = 0; i < static_cast<int>(std::size(kLanguageChoices)); ++i) {
    if (stored == QLatin1String(kLanguageChoices[i])) language_->setCurrentIndex(i);
  }
  connect(language_, &QComboBox::currentIndexChanged, this, [](int index) {
    QSettings settings;
    StoreLanguageChoice(settings, QString::fromLatin1(kLanguageChoices[index]));
  });
  AddNotedRow(form, tr("Language"), language_, tr("The language changes at the next start of the program."));
}

void SettingsDialog::AddWatchdogRows(QFormLayout& form) {
  const WatchdogTimes stored = StoredWatchdogTimes(QSettings());
  no_signal_ = new QSpinBox;
  no_signal_->setRange(0, kMaxNoSignalSeconds);
  no_signal_->setValue(stored.no_signal_seconds);
  no_signal_->setSpecialValueText(tr("never"));
  no_signal_->setSuffix(tr(" s"));
  stall_ = new QSpinBox;
  stall_->setRange(0, kMaxStallMinutes);
  stall_->setValue(stored.stall_minutes);
  stall_->setSpecialValueText(tr("never"));
  stall_->setSuffix(tr(" min"));
  const auto store = [this] {
    QSettings settings;
    StoreWatchdogTimes(settings, {no_signal_->value(), stall_->value()});
  };
  connect(no_signal_, &QSpinBox::valueChanged, this, store);
  connect(stall_, &QSpinBox::valueChanged, this, store);
  AddNotedRow(form, tr("Pause without a picture"), no_signal_,
              tr("A device's Apps pause when no picture came for this long, and go on by themselves when "
                 "pictures come back. From the next start of automation."));
  AddNotedRow(form, tr("Report a stall after"), stall_,
              tr("An App that finds nothing on its Scene for this long is reported as stalled; it goes on running."));
}

void SettingsDialog::AddStartAutomationRow(QFormLayout& form) {
  start_automation_ = new QCheckBox(tr("Start automation when a device connects"));
  start_automation_->setChecked(StoredStartAutomation(QSettings()));
  connect(start_automation_, &QCheckBox::toggled, this, [](bool on) {
    QSettings settings;
    StoreStartAutomation(settings, on);
  });
  AddNotedRow(form, tr("Unattended start"), start_automation_,
              tr("Every device's Apps start by themselves once its screen shows. zorkvm --start-automation does the "
                 "same for one session."));
}

void SettingsDialog::AddRunLogRow(QFormLayout& form) {
  run_log_folder_ = new QLineEdit(StoredRunLogFolder(QSettings()));
  run_log_folder_->setPlaceholderText(tr("off"));
  connect(run_log_folder_, &QLineEdit::textChanged, this, [](const QString& folder) {
    QSettings settings;
    StoreRunLogFolder(settings, folder);
  });
  AddNotedRow(form, tr("Run logs"), run_log_folder_,
              tr("Each run of a device's Apps writes its events and pictures of the screen (when paused, stalled, "
                 "a Scene is unreadable, and at each Item's first match) to a file in this folder, up to %1 MB "
                 "per run. Empty: no logs. From the next start of automation.")
                  .arg(kDefaultRunLogCapBytes >> 20));
}

int SettingsDialog::Run(QWidget* owner) {
  SettingsDialog dialog(owner, SettingsRows(AppConfig::Instance()));
  return dialog.exec();
}

}  // namespace zor
