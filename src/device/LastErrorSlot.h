#pragma once
// Why a driver's last attempt to reach its device failed, in words for the operator
// ("connection refused", "timed out", "HTTP status 404", "not a JPEG picture"). Written on the
// driver's own threads, read on any thread (the pane, zorkvm-cli connect).
#include <mutex>
#include <string>

namespace zor {

class LastErrorSlot {
 public:
  void Set(std::string reason) {
    std::lock_guard lock(mutex_);
    reason_ = std::move(reason);
  }
  // A picture arrived: the device is reachable again.
  void Clear() { Set({}); }
  // Empty while the device works or before the first failure.
  std::string Get() const {
    std::lock_guard lock(mutex_);
    return reason_;
  }

 private:
  mutable std::mutex mutex_;
  std::string reason_;
};

}  // namespace zor
