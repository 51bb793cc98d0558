#pragma once
// Moving entries between the two lists of the device dialog and of the App Manager. GUI thread.
#include <QStringList>
#include <string>
#include <vector>

class QListWidget;
class QWidget;

namespace zor {

// Moves the selected entry of `from` to the end of `to` (a sorted list sorts it in). False when
// nothing is selected.
bool MoveSelectedEntry(QListWidget& from, QListWidget& to);

// Like MoveSelectedEntry, then selects in `from` the entry now at the old position, or its last
// entry when the moved one was last, when any entry is left.
bool MoveSelectedEntryAndReselect(QListWidget& from, QListWidget& to);

// The notice shown when a move finds nothing selected: "이동할 항목을 선택해주세요." in "알림".
void ShowSelectFirstNotice(QWidget* owner);

std::vector<std::u16string> ListEntries(const QListWidget& list);
void SetListEntries(QListWidget& list, const std::vector<std::u16string>& entries);

}  // namespace zor
