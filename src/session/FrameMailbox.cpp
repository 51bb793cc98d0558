#include "session/FrameMailbox.h"

namespace zor {

void FrameMailbox::OnFrame(const FramePtr& frame) {
  FramePtr previous;
  {
    std::lock_guard lock(mutex_);
    previous = std::move(latest_);
    latest_ = frame;
    ++count_;
    taken_ = false;
  }
  // `previous` is released here, outside the lock: dropping the last reference returns a
  // buffer to its pool, which takes the pool's own lock.
  previous.reset();
  if (on_frame_) on_frame_();
}

FramePtr FrameMailbox::Latest() const {
  std::lock_guard lock(mutex_);
  return latest_;
}

FramePtr FrameMailbox::Take() {
  std::lock_guard lock(mutex_);
  if (taken_) return nullptr;
  taken_ = true;
  return std::move(latest_);
}

uint64_t FrameMailbox::Count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

}  // namespace zor
