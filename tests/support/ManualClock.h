#pragma once
// A pacing clock that moves only when the test moves it, so pacing (the mouse-move slot, the
// snapshot poller's pause, a runner's waits) is checked by what was sent, never by how fast the
// machine is.
#include <atomic>
#include <chrono>

#include "device/PacingClock.h"

namespace zor::test {

class ManualClock final : public IPacingClock {
 public:
  int64_t NowNs() const override { return now_ns_.load(); }

  // Waits until `done` or until the test has moved the clock past the interval. Polls the
  // hand-moved time in short slices, as moving it notifies nobody.
  void WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& wake, int64_t interval_ns,
               const std::function<bool()>& done) const override {
    const int64_t deadline_ns = NowNs() + interval_ns;
    while (!done() && NowNs() < deadline_ns) wake.wait_for(lock, std::chrono::nanoseconds(kLookAgainNs));
  }

  // A timer looks at the hand-moved time in the same short slices.
  int64_t RealWaitNs(int64_t due_ns) const override { return NowNs() >= due_ns ? 0 : kLookAgainNs; }

  void Advance(int64_t ns) { now_ns_ += ns; }

 private:
  static constexpr int64_t kLookAgainNs = 1'000'000;

  std::atomic<int64_t> now_ns_{0};
};

}  // namespace zor::test
