#include "presentation/AutoStart.h"

namespace zor {

bool AutoStartLatch::Due(bool wanted, ConnectionState state, bool running) {
  if (used_) return false;
  if (running) {
    used_ = true;
    return false;
  }
  if (!wanted || state != ConnectionState::Streaming) return false;
  used_ = true;
  return true;
}

}  // namespace zor
