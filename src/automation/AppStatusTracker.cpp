#include "automation/AppStatusTracker.h"

#include <algorithm>

namespace zor {
namespace {

bool HasActiveItem(const AppInfo& app) {
  if (!app.Scene) return false;
  return std::any_of(app.Scene->Items.begin(), app.Scene->Items.end(),
                     [](const std::shared_ptr<Item>& item) { return item && item->Active; });
}

}  // namespace

void AppStatusTracker::Begin(const AppInfo& app, int64_t now_ms) {
  working_ = AppStatus{};
  working_.app = app.Name;
  working_.scene = app.CurrentSceneName();
  working_.last_step_ms = now_ms;
  window_start_ms_ = now_ms;
  window_steps_ = 0;
  Publish();
}

void AppStatusTracker::Evaluated(const Item& item, const AnalysisResult& result) {
  working_.item = item.Name;
  working_.threshold = item.Threshold;
  working_.score = result.BestSeen ? std::optional<float>(result.BestSeen->Score) : std::nullopt;
  working_.state = result.Best.Valid ? AppRunState::kRunning : AppRunState::kWaitingForMatch;
}

void AppStatusTracker::ActionSent(ActionCode code, int64_t now_ms) {
  working_.last_action = code;
  working_.last_action_ms = now_ms;
}

void AppStatusTracker::StepDone(const AppInfo& app, bool stalled, int64_t now_ms) {
  CountStep(now_ms);
  // A step of an App whose Items all rest (cooldown, delay) keeps what the last evaluation said.
  if (!HasActiveItem(app)) {
    working_.state = AppRunState::kIdle;
  } else if (stalled) {
    working_.state = AppRunState::kStalled;
  } else if (working_.state == AppRunState::kIdle || working_.state == AppRunState::kStalled) {
    working_.state = AppRunState::kRunning;  // a new Scene, or a match that ended the stall
  }
  working_.scene = app.CurrentSceneName();
  Publish();
}

void AppStatusTracker::CountStep(int64_t now_ms) {
  ++working_.steps;
  ++window_steps_;
  working_.last_step_ms = now_ms;
  const int64_t window_ms = now_ms - window_start_ms_;
  if (window_ms < kStepRateWindowMs) return;
  working_.steps_per_s = static_cast<double>(window_steps_) * 1000.0 / static_cast<double>(window_ms);
  window_start_ms_ = now_ms;
  window_steps_ = 0;
}

void AppStatusTracker::Failed() {
  working_.state = AppRunState::kError;
  Publish();
}

void AppStatusTracker::Publish() {
  std::lock_guard lock(mutex_);
  published_ = working_;  // the strings keep their capacity: no allocation once the names are known
}

AppStatus AppStatusTracker::Read() const {
  std::lock_guard lock(mutex_);
  return published_;
}

}  // namespace zor
