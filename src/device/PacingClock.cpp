#include "device/PacingClock.h"

#include <chrono>

#include "platform/Clock.h"

namespace zor {
namespace {

class SystemClock final : public IPacingClock {
 public:
  int64_t NowNs() const override { return MonotonicNs(); }
  void WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& wake, int64_t interval_ns,
               const std::function<bool()>& done) const override {
    wake.wait_for(lock, std::chrono::nanoseconds(interval_ns), done);
  }
};

}  // namespace

const IPacingClock& SystemPacingClock() {
  static const SystemClock clock;
  return clock;
}

}  // namespace zor
