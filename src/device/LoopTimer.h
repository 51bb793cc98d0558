#pragma once
// A one-shot timer on a driver's strand of the network loop, for the drivers' own pauses (the
// snapshot poller). Its task runs on the strand, so it never runs at the same time as the
// driver's socket handlers.
//
// Threads: Arm and Cancel from any thread, Arm also from within the task (to re-arm). Once
// Cancel has returned, the task neither runs nor is still running, so the owner may be freed;
// a Cancel that comes while the task runs also voids the task's own re-arming.
#include <cstdint>
#include <functional>
#include <memory>

#include "device/NetworkLoop.h"

namespace zor {

class LoopTimer {
 public:
  explicit LoopTimer(LoopStrand strand);
  ~LoopTimer();  // Cancel
  LoopTimer(const LoopTimer&) = delete;
  LoopTimer& operator=(const LoopTimer&) = delete;

  // Runs `task` on the strand once `delay_ns` of real time have passed, in place of any task
  // armed before.
  void Arm(int64_t delay_ns, std::function<void()> task);
  // Drops the armed task and waits for one that is running, unless called from it.
  void Cancel();

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace zor
