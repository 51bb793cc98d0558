#pragma once
// Gives the system back, now and then, the free memory that a passing peak left in the heap.
// KeepFreedMemoryResident stops malloc from doing that on every free, which keeps the analyses'
// working buffers resident from one frame to the next; but a peak (many Apps starting together,
// each first searching the whole screen, and their first full-size frames) then stayed resident
// for good: 64 devices with one App each measured 1.19 GB resident, 0.49 GB of it free heap.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace zor {

// Hands the heap's free pages back to the system when it holds at least `worth_bytes` of free
// memory; true when it did. The next allocations there fault their pages in again, so this is
// for the odd moment, not for every frame. Any thread.
bool ReleaseFreedMemory(size_t worth_bytes);

// The free memory the heap holds, in bytes (what ReleaseFreedMemory would look at).
size_t FreeHeapBytes();

// A thread ("heap trim") that calls ReleaseFreedMemory every kInterval while it lives. A
// program that keeps freed memory resident makes one in main().
class HeapTrimmer {
 public:
  // A start of 64 devices with an App each peaks for a few seconds; checking every 5 s gives
  // that back soon, and costs one walk of malloc's free lists when there is nothing to give.
  static constexpr std::chrono::seconds kInterval{5};
  // Less free memory than this is what the steady state reuses anyway.
  static constexpr size_t kWorthBytes = size_t{64} << 20;

  HeapTrimmer();
  // Stops and joins the thread at once, also in the middle of an interval.
  ~HeapTrimmer();
  HeapTrimmer(const HeapTrimmer&) = delete;
  HeapTrimmer& operator=(const HeapTrimmer&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::jthread thread_;  // last: it stops (and is joined) before the members it uses go
};

}  // namespace zor
