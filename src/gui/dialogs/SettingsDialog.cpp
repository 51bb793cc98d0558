#include "gui/dialogs/SettingsDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTranslations.h"

namespace zor {
namespace {

QString Translated(const std::string& source_text) {
  return QCoreApplication::translate("SettingsDialog", source_text.c_str());
}

// The language choices as stored, in the order of the combo box.
constexpr const char* kLanguageChoices[] = {kFollowSystemLanguage.data(), "ko", "en"};

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
  auto* note = new QLabel(tr("The language changes at the next start of the program."));
  note->setWordWrap(true);
  note->setEnabled(false);
  auto* cell = new QVBoxLayout;
  cell->addWidget(language_);
  cell->addWidget(note);
  form.addRow(tr("Language"), cell);
}

int SettingsDialog::Run(QWidget* owner) {
  SettingsDialog dialog(owner, SettingsRows(AppConfig::Instance()));
  return dialog.exec();
}

}  // namespace zor
