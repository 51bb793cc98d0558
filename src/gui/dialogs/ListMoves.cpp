#include "gui/dialogs/ListMoves.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QMessageBox>
#include <memory>

#include "gui/widgets/QtText.h"

namespace zor {

bool MoveSelectedEntry(QListWidget& from, QListWidget& to) {
  const int row = from.currentRow();
  if (row < 0 || from.selectedItems().isEmpty()) return false;
  const std::unique_ptr<QListWidgetItem> item(from.takeItem(row));  // taken items are ours
  to.addItem(item->text());
  return true;
}

bool MoveSelectedEntryAndReselect(QListWidget& from, QListWidget& to) {
  const int row = from.currentRow();
  if (!MoveSelectedEntry(from, to)) return false;
  if (from.count() > 0) from.setCurrentRow(std::min(row, from.count() - 1));
  return true;
}

void ShowSelectFirstNotice(QWidget* owner) {
  QMessageBox::warning(owner, QCoreApplication::translate("ListMoves", "Notice"),
                       QCoreApplication::translate("ListMoves", "Select the entry to move."));
}

std::vector<std::u16string> ListEntries(const QListWidget& list) {
  std::vector<std::u16string> entries;
  entries.reserve(static_cast<size_t>(list.count()));
  for (int i = 0; i < list.count(); ++i) entries.push_back(FromQString(list.item(i)->text()));
  return entries;
}

void SetListEntries(QListWidget& list, const std::vector<std::u16string>& entries) {
  list.clear();
  for (const auto& e : entries) list.addItem(ToQString(e));
}

}  // namespace zor
