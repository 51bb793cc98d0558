#include "device/LoopTimer.h"

#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <mutex>
#include <thread>

#include "device/NetworkStrand.h"

namespace zor {

// Shared with the waiting handler, so that a handler that outlives the timer finds it intact.
struct LoopTimer::State {
  explicit State(const LoopStrand& strand) : timer(ExecutorOf(strand)) {}

  std::mutex mutex;  // guards the fields below; never held while the task runs
  boost::asio::steady_timer timer;
  std::function<void()> task;
  uint64_t generation = 0;  // counts Arm and Cancel: a handler of an older one does nothing
  uint64_t cancels = 0;
  std::thread::id running_on;    // the strand thread in the task now, or none
  uint64_t cancels_at_run = 0;   // cancels when the running task began
  std::mutex running;            // held while the task runs; Cancel takes it to wait for the end
};

LoopTimer::LoopTimer(LoopStrand strand) : state_(std::make_shared<State>(strand)) {}

LoopTimer::~LoopTimer() { Cancel(); }

void LoopTimer::Arm(int64_t delay_ns, std::function<void()> task) {
  std::lock_guard lock(state_->mutex);
  // The task re-arming itself after a Cancel came: it stays cancelled.
  if (state_->running_on == std::this_thread::get_id() && state_->cancels != state_->cancels_at_run) return;
  const uint64_t generation = ++state_->generation;
  state_->task = std::move(task);
  state_->timer.expires_after(std::chrono::nanoseconds(delay_ns));
  state_->timer.async_wait([state = state_, generation](const boost::system::error_code& error) {
    if (error) return;
    std::lock_guard running(state->running);
    std::function<void()> due;
    {
      std::lock_guard lock(state->mutex);
      if (generation != state->generation) return;
      due = std::move(state->task);
      state->running_on = std::this_thread::get_id();
      state->cancels_at_run = state->cancels;
    }
    due();
    std::lock_guard lock(state->mutex);
    state->running_on = {};
  });
}

void LoopTimer::Cancel() {
  {
    std::lock_guard lock(state_->mutex);
    ++state_->generation;
    ++state_->cancels;
    state_->task = nullptr;
    state_->timer.cancel();
    if (state_->running_on == std::this_thread::get_id()) return;
  }
  std::lock_guard wait_for_running_task(state_->running);
}

}  // namespace zor
