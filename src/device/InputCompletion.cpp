#include "device/InputCompletion.h"

#include <condition_variable>
#include <mutex>

namespace zor {

struct InputCompletion::State {
  std::mutex mutex;
  std::condition_variable_any ended;
  Outcome outcome = Outcome::Pending;
};

InputCompletion InputCompletion::Pending() {
  InputCompletion completion;
  completion.state_ = std::make_shared<State>();
  return completion;
}

InputCompletion InputCompletion::Finished(Outcome outcome) {
  InputCompletion completion = Pending();
  completion.Finish(outcome);
  return completion;
}

void InputCompletion::Finish(Outcome outcome) const {
  if (!state_) return;
  {
    std::lock_guard lock(state_->mutex);
    if (state_->outcome != Outcome::Pending) return;
    state_->outcome = outcome;
  }
  state_->ended.notify_all();
}

InputCompletion::Outcome InputCompletion::Result() const {
  if (!state_) return Outcome::Sent;
  std::lock_guard lock(state_->mutex);
  return state_->outcome;
}

InputCompletion::Outcome InputCompletion::Wait(std::stop_token stop) const {
  if (!state_) return Outcome::Sent;
  std::unique_lock lock(state_->mutex);
  state_->ended.wait(lock, stop, [this] { return state_->outcome != Outcome::Pending; });
  return state_->outcome;
}

}  // namespace zor
