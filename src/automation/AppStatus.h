#pragma once
// What one running App is doing, as its pane shows it: the record its worker publishes after
// each step, and the runner's answer when the pane asks for every App's record.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/RunWatchdog.h"
#include "model/ActionCode.h"

namespace zor {

// The steps of this long a time make one rate figure: long enough that a few slow steps (a
// full-screen colour match takes a good fraction of a second) still give a rate, short enough
// that the figure follows a change the operator can see.
inline constexpr int64_t kStepRateWindowMs = 1'000;

enum class AppRunState : uint8_t {
  kRunning,          // the last Item evaluated found its target (or nothing was evaluated yet)
  kWaitingForMatch,  // the last Item evaluated did not find its target
  kPaused,           // the pause button, or the watchdog's hold (AppStatus::hold says which)
  kStalled,          // no match on this Scene for the stall time; the App goes on running
  kError,            // the App's worker ended on a failure; the device shows why
  kIdle,             // no active Item left: the last Scene is done, or the App has none
};

// A plain copy: the reader owns it and may keep it as long as it likes.
struct AppStatus {
  std::u16string app;    // the App's name
  std::u16string scene;  // the current Scene's name
  std::u16string item;   // the Item evaluated last; empty before the first evaluation
  // The best score that evaluation saw, found or not; empty when no position was scored (a
  // refused template or work area) or before the first evaluation.
  std::optional<float> score;
  float threshold = 0.0f;  // the Item's acceptance threshold
  ActionCode last_action = ActionCode::None;  // None: no action sent in this run yet
  int64_t last_action_ms = 0;                 // the runner's clock, when last_action was sent
  uint64_t steps = 0;                         // steps taken since the run started
  // Steps in the last completed rate window, per second, and the runner's time of the last step:
  // a reader that finds no step for a whole window knows the rate has fallen to 0.
  double steps_per_s = 0.0;
  int64_t last_step_ms = 0;
  AppRunState state = AppRunState::kRunning;
  // With kPaused, why: the watchdog's hold (kOperator: input in full control), or kNone for the
  // pause button.
  HoldReason hold = HoldReason::kNone;
};

// Every App's record of one runner, with the runner's clock when they were read, so that the
// reader tells the age of the last action in the same time.
struct RunnerStatus {
  int64_t now_ms = 0;
  std::vector<AppStatus> apps;  // in App order
};

}  // namespace zor
