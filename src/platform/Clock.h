#pragma once
// Clocks. Automation times are milliseconds of a 64-bit tick count; driver timing uses a
// monotonic nanosecond clock. Both are steady: they never jump with the wall clock.
#include <chrono>
#include <cstdint>
#include <thread>

namespace zor {

inline uint64_t TickCount64() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

inline int64_t MonotonicNs() {
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

inline void SleepMs(int64_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace zor
