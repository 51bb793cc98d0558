#pragma once
// Unattended start: a pane's Apps start by themselves once its device shows a picture, one time
// per pane. After that the operator decides: a run that was stopped by hand is not started
// again by a reconnect. GUI thread only.
#include "session/ConnectionState.h"

namespace zor {

class AutoStartLatch {
 public:
  // True exactly once: when unattended start is `wanted`, the device streams and the Apps do not
  // run yet. A run that is on already (started by hand) uses the latch up as well.
  bool Due(bool wanted, ConnectionState state, bool running);
  bool Used() const { return used_; }

 private:
  bool used_ = false;
};

}  // namespace zor
