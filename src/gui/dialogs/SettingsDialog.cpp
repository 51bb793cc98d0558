#include "gui/dialogs/SettingsDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/widgets/QtText.h"

namespace zor {
namespace {

QString Translated(const std::string& source_text) {
  return QCoreApplication::translate("SettingsDialog", source_text.c_str());
}

}  // namespace

SettingsDialog::SettingsDialog(QWidget* owner, const std::vector<SettingsRow>& rows) : QDialog(owner) {
  setWindowTitle(Translated("Settings"));
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
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

int SettingsDialog::Run(QWidget* owner) {
  SettingsDialog dialog(owner, SettingsRows(AppConfig::Instance()));
  return dialog.exec();
}

}  // namespace zor
