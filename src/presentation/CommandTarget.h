#pragma once
// The main window's command entry. Components (tool bar buttons, title bars, panes, dialogs)
// send it a command id, a notification code and an argument (usually a pane index), the way
// the Windows program sent WM_COMMAND to its main window. Called on the GUI thread only.
#include <cstdint>

namespace zor {

class ICommandTarget {
 public:
  virtual ~ICommandTarget() = default;
  virtual void OnCommand(int id, int code, intptr_t arg) = 0;
};

}  // namespace zor
