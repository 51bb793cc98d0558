#include "automation/RunWatchdog.h"

#include <algorithm>

namespace zor {

const char* HoldReasonName(HoldReason reason) {
  switch (reason) {
    case HoldReason::kNone: return "";
    case HoldReason::kNoSignal: return "no_signal";
    case HoldReason::kScreenSize: return "screen_size";
    case HoldReason::kOperator: return "operator";
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
  device_hold_ = HoldReason::kNone;
  operator_held_ = false;
  hold_.store(HoldReason::kNone);
}

void RunWatchdog::OnFrame(int64_t now_ms, uint32_t width, uint32_t height) {
  std::lock_guard lock(mutex_);
  last_frame_ms_ = now_ms;
  const bool size_checked = settings_.screen_width != 0 && settings_.screen_height != 0;
  const bool size_right = !size_checked || (width == settings_.screen_width && height == settings_.screen_height);
  device_hold_ = size_right ? HoldReason::kNone : HoldReason::kScreenSize;
  EndOperatorHoldIfQuiet(now_ms);
  UpdateHold(now_ms);
}

void RunWatchdog::OnTick(int64_t now_ms) {
  std::lock_guard lock(mutex_);
  if (settings_.no_signal_ms > 0 && now_ms - last_frame_ms_ >= settings_.no_signal_ms) {
    device_hold_ = HoldReason::kNoSignal;
  }
  EndOperatorHoldIfQuiet(now_ms);
  UpdateHold(now_ms);
}

bool RunWatchdog::OnOperatorInput(int64_t now_ms) {
  std::lock_guard lock(mutex_);
  const bool began = !operator_held_;
  operator_held_ = true;
  operator_until_ms_ = now_ms + kOperatorQuietMs;
  UpdateHold(now_ms);
  return began;
}

int64_t RunWatchdog::NextTickMs() const {
  std::lock_guard lock(mutex_);
  // Once held for no signal, only a picture changes the device's hold.
  const bool no_signal_due = settings_.no_signal_ms > 0 && device_hold_ != HoldReason::kNoSignal;
  const int64_t no_signal_ms = no_signal_due ? last_frame_ms_ + settings_.no_signal_ms : kNoDeadlineMs;
  return operator_held_ ? std::min(no_signal_ms, operator_until_ms_) : no_signal_ms;
}

int64_t RunWatchdog::LastResumeMs() const {
  std::lock_guard lock(mutex_);
  return last_resume_ms_;
}

int64_t RunWatchdog::StallMs() const {
  std::lock_guard lock(mutex_);
  return settings_.stall_ms;
}

void RunWatchdog::EndOperatorHoldIfQuiet(int64_t now_ms) {
  if (operator_held_ && now_ms >= operator_until_ms_) operator_held_ = false;
}

void RunWatchdog::UpdateHold(int64_t now_ms) {
  HoldReason hold = device_hold_;
  if (hold == HoldReason::kNone && operator_held_) hold = HoldReason::kOperator;
  if (hold_.load() == hold) return;
  hold_.store(hold);
  if (hold == HoldReason::kNone) last_resume_ms_ = now_ms;
  if (listener_) listener_(hold);
}

}  // namespace zor
