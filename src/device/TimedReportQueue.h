#pragma once
// The order and the pauses of everything a driver sends on one input channel. The reports of a
// timed sequence (a typed text, a key combination) go out one after the other with their
// pauses between them, waited by timers on the channel's own thread, so that no caller sleeps
// and no caller holds its driver while the device types. A report sent while a sequence is
// under way queues behind it: input never overtakes what was asked for before it. A report
// sent while nothing is under way goes out at once, on the caller's thread.
//
// Threads: every call from any thread; the timer runs the queue's task on its own thread. One
// mutex guards the queue and is held while a report is handed to the channel, so the channel
// gets the reports in queue order.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "device/InputCompletion.h"

namespace zor {

class ITaskTimer {
 public:
  virtual ~ITaskTimer() = default;
  // Runs `task` on the timer's thread once `delay_ms` have passed. False when the timer cannot
  // (its thread is not running); `task` is then dropped. Tasks still waiting when the thread
  // ends are dropped too, never run: whoever ends it cancels the queue afterwards.
  virtual bool RunAfter(int delay_ms, std::function<void()> task) = 0;
};

// Reports allowed to wait at once. A typed text is about two reports a character, 25 ms each:
// this is hours of typing, and at most some 32 MB of queue; beyond it a sequence is refused
// whole rather than queued without bound.
inline constexpr size_t kMaxQueuedReports = 1u << 20;

// One report of a sequence and the pause after it before the next may follow.
struct TimedReport {
  static constexpr size_t kMaxBytes = 9;  // the larger of the device's two reports
  std::array<uint8_t, kMaxBytes> bytes{};
  uint8_t size = 0;
  int pause_after_ms = 0;

  TimedReport() = default;
  TimedReport(std::span<const uint8_t> report, int pause_ms);
  std::span<const uint8_t> View() const { return {bytes.data(), size}; }
};

class TimedReportQueue {
 public:
  using Sender = std::function<void(std::span<const uint8_t> report)>;

  // `send` hands one report to the channel; `timer` waits the pauses. Both outlive the queue.
  TimedReportQueue(ITaskTimer& timer, Sender send);
  ~TimedReportQueue();  // Cancel
  TimedReportQueue(const TimedReportQueue&) = delete;
  TimedReportQueue& operator=(const TimedReportQueue&) = delete;

  // Sends `report` now when nothing is under way, else queues it behind what is. A report that
  // finds the queue full is dropped, as the channel drops what it cannot hold.
  void Send(std::span<const uint8_t> report);
  // Queues `reports` behind whatever is under way; the first goes out at once when nothing is.
  // The completion ends once the last report's pause is over, or when the sequence is dropped.
  InputCompletion SendTimed(std::vector<TimedReport> reports);
  // Drops everything not yet sent and ends its completions as cancelled. A pause already being
  // waited ends without effect.
  void Cancel();

 private:
  struct Entry {
    TimedReport report;
    InputCompletion done;  // set on the entry that ends a sequence (a marker, size 0)
  };

  // The caller holds mutex_. Sends until a pause has to be waited or nothing is left.
  void PumpLocked();
  void ArmLocked(int pause_ms);
  void OnPauseOver(uint64_t generation);
  void DropLocked(InputCompletion::Outcome outcome);

  ITaskTimer& timer_;
  const Sender send_;
  std::mutex mutex_;  // guards the three fields below
  std::deque<Entry> entries_;
  bool pausing_ = false;     // a pause is being waited: nothing may go out before it ends
  uint64_t generation_ = 0;  // counts Cancels, so that a pause armed before one ends unseen
};

}  // namespace zor
