#pragma once
// The time source of a driver's pacing: the slot that drops mouse moves closer together than
// their limit, and the pause of the snapshot poller (a timer on the network loop). The program uses the system's monotonic
// clock; tests pass a clock they move by hand, so pacing is checked by what was sent and never
// by how fast the machine happens to be.
#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace zor {

class IPacingClock {
 public:
  virtual ~IPacingClock() = default;
  // Nanoseconds of a steady clock. Any thread.
  virtual int64_t NowNs() const = 0;
  // Waits with `lock` held around each check until `done()` holds or `interval_ns` of this
  // clock have passed. Whoever makes `done` true does so under the lock and notifies `wake`.
  virtual void WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& wake, int64_t interval_ns,
                       const std::function<bool()>& done) const = 0;
  // Real time a timer waits before it looks again whether this clock has reached `due_ns`: the
  // rest of the pause for a clock that runs by itself.
  virtual int64_t RealWaitNs(int64_t due_ns) const { return std::max<int64_t>(0, due_ns - NowNs()); }
};

// The monotonic clock with a plain timed wait; lives for the whole process.
const IPacingClock& SystemPacingClock();

}  // namespace zor
