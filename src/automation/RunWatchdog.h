#pragma once
// The watchdog of one device's run: it holds the device's Apps while the device sends no
// picture ("no signal") or a picture of another size than its record's ("screen size"), and
// lets them go on, on the Scene they were on, once the right pictures come back. It also holds
// them while the operator works on the device by hand, until the operator has been quiet for
// kOperatorQuietMs; a hold of the device's own shows first, as it is the one to act on.
//
// Plain logic on an injected clock (milliseconds): frames are noted on the driver's thread,
// ticks come from the workers that wait for a frame, the operator's input from the UI thread,
// so every call takes the one lock. The listener hears each change of hold under that lock, so
// changes are heard in the order made.
#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <mutex>

namespace zor {

enum class HoldReason : uint8_t {
  kNone,        // running
  kNoSignal,    // no picture for the no-signal time
  kScreenSize,  // the pictures are not of the record's size
  kOperator,    // the operator works on the device through the full control window
};

// "no_signal", "screen_size", "operator"; "" for kNone.
const char* HoldReasonName(HoldReason reason);

struct WatchdogSettings {
  int64_t no_signal_ms = 10'000;  // 0: a missing picture never holds the run
  int64_t stall_ms = 0;           // 0: an App is never flagged as stalled
  uint32_t screen_width = 0;      // the device record's screen; 0 by 0: the size is not checked
  uint32_t screen_height = 0;
};

inline constexpr int64_t kNoDeadlineMs = std::numeric_limits<int64_t>::max();

// How long the operator's hand must rest before the held Apps go on: longer than the pauses
// between the clicks and keys of someone at work (reading the screen between two of them),
// short enough that the run takes over again soon after the operator lets go.
inline constexpr int64_t kOperatorQuietMs = 5'000;

class RunWatchdog {
 public:
  // Hears the new hold: kNone when the run goes on again.
  using HoldListener = std::function<void(HoldReason hold)>;

  void SetListener(HoldListener listener);
  // A run starts at `now_ms`: no hold, and the no-signal time counts from now.
  void Start(const WatchdogSettings& settings, int64_t now_ms);
  // A picture of this size arrived.
  void OnFrame(int64_t now_ms, uint32_t width, uint32_t height);
  // Time passed without a picture; holds the run once the no-signal time is up, and ends the
  // operator's hold once the operator has been quiet long enough.
  void OnTick(int64_t now_ms);
  // The operator sent input to the device by hand: the run is held until kOperatorQuietMs
  // after the last such input. True when this input began the hold (the deadline came nearer).
  bool OnOperatorInput(int64_t now_ms);

  HoldReason Hold() const { return hold_.load(); }
  // When a tick could next change something: the no-signal deadline or the end of the
  // operator's hold, whichever comes first, or kNoDeadlineMs.
  int64_t NextTickMs() const;
  // When the run last went on after a hold (its start counts as one).
  int64_t LastResumeMs() const;
  int64_t StallMs() const;

 private:
  // Ends the operator's hold once its quiet time is up; caller holds mutex_.
  void EndOperatorHoldIfQuiet(int64_t now_ms);
  // Makes the hold the device's own, else the operator's, else none; caller holds mutex_.
  void UpdateHold(int64_t now_ms);

  mutable std::mutex mutex_;
  WatchdogSettings settings_;
  HoldListener listener_;
  int64_t last_frame_ms_ = 0;
  int64_t last_resume_ms_ = 0;
  HoldReason device_hold_ = HoldReason::kNone;  // what the pictures, or their absence, say
  bool operator_held_ = false;
  int64_t operator_until_ms_ = 0;  // meaningful while operator_held_
  std::atomic<HoldReason> hold_{HoldReason::kNone};
};

// Whether one App makes progress on its Scene: it is stalled once it has stayed on one Scene
// without a match for the stall time, counted from the Scene's start, its last match or the
// run's last resumption, whichever came last. Flagged once per stall. The App's worker only.
class StallWatch {
 public:
  void Restart(int64_t now_ms) {
    since_ms_ = now_ms;
    flagged_ = false;
  }
  // True the first time the stall time has passed since the last restart or `resumed_ms`.
  bool Check(int64_t now_ms, int64_t resumed_ms, int64_t stall_ms) {
    if (stall_ms <= 0 || flagged_) return false;
    if (resumed_ms > since_ms_) since_ms_ = resumed_ms;
    flagged_ = now_ms - since_ms_ >= stall_ms;
    return flagged_;
  }
  int64_t SecondsSince(int64_t now_ms) const { return (now_ms - since_ms_) / 1000; }
  // Flagged, and no match or new Scene since.
  bool Flagged() const { return flagged_; }

 private:
  int64_t since_ms_ = 0;
  bool flagged_ = false;
};

}  // namespace zor
