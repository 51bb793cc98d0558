#include "automation/RunWatchdog.h"

namespace zor {

const char* HoldReasonName(HoldReason reason) {
  switch (reason) {
    case HoldReason::kNone: return "";
    case HoldReason::kNoSignal: return "no_signal";
    case HoldReason::kScreenSize: return "screen_size";
  }
  return "";
}

void RunWatchdog::SetListener(HoldListener listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

void RunWatchdog::Start(const WatchdogSettings& settings, int64_t now_ms) {
  std::lock_guard lock(mutex_);
  settings_ = settings;
  last_frame_ms_ = now_ms;
  last_resume_ms_ = now_ms;
  hold_.store(HoldReason::kNone);
}

void RunWatchdog::OnFrame(int64_t now_ms, uint32_t width, uint32_t height) {
  std::lock_guard lock(mutex_);
  last_frame_ms_ = now_ms;
  const bool size_checked = settings_.screen_width != 0 && settings_.screen_height != 0;
  const bool size_right = !size_checked || (width == settings_.screen_width && height == settings_.screen_height);
  SetHold(size_right ? HoldReason::kNone : HoldReason::kScreenSize, now_ms);
}

void RunWatchdog::OnTick(int64_t now_ms) {
  std::lock_guard lock(mutex_);
  if (settings_.no_signal_ms > 0 && now_ms - last_frame_ms_ >= settings_.no_signal_ms) {
    SetHold(HoldReason::kNoSignal, now_ms);
  }
}

int64_t RunWatchdog::NextTickMs() const {
  std::lock_guard lock(mutex_);
  // Once held for no signal, only a picture changes anything.
  if (settings_.no_signal_ms <= 0 || hold_.load() == HoldReason::kNoSignal) return kNoDeadlineMs;
  return last_frame_ms_ + settings_.no_signal_ms;
}

int64_t RunWatchdog::LastResumeMs() const {
  std::lock_guard lock(mutex_);
  return last_resume_ms_;
}

int64_t RunWatchdog::StallMs() const {
  std::lock_guard lock(mutex_);
  return settings_.stall_ms;
}

void RunWatchdog::SetHold(HoldReason hold, int64_t now_ms) {
  if (hold_.load() == hold) return;
  hold_.store(hold);
  if (hold == HoldReason::kNone) last_resume_ms_ = now_ms;
  if (listener_) listener_(hold);
}

}  // namespace zor
