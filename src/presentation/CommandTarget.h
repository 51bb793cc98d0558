#pragma once
// The command entry of the main window and the panes. Components (tool bar buttons, title bars,
// panes, dialogs) send it a command id, a notification code (a click or a double click) and an
// argument (usually a pane index). Called on the GUI thread only.
#include <cstdint>

namespace zor {

class ICommandTarget {
 public:
  virtual ~ICommandTarget() = default;
  virtual void OnCommand(int id, int code, intptr_t arg) = 0;
};

}  // namespace zor
