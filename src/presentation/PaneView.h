#pragma once
// The pane's window side as its controller sees it, implemented by the GUI.
#include "presentation/PaneCommand.h"

namespace zor {

class IPaneView {
 public:
  virtual ~IPaneView() = default;
  // Any thread (also the driver's and a worker's): the connection state, the connect wait, a
  // button or the full-control flag changed. Post a repaint; do not call back from here.
  virtual void PaneChanged() = 0;
  // UI thread: create the full control window if there is none, show it and give it the focus.
  virtual void ShowFullControl() = 0;
  // UI thread: create the scene editor if there is none, show it and give it the focus.
  virtual void ShowSceneEditor() = 0;
  // UI thread: DeleteDevice or EditDevice; the main window acts on it.
  virtual void PassToMainWindow(PaneCommand command) = 0;
};

}  // namespace zor
