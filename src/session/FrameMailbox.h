#pragma once
// A consumer that keeps only the newest frame and tells its owner that one arrived.
// Ready-made for windows (post a repaint from `on_frame`) and workers (wake a condition).
#include <cstdint>
#include <functional>
#include <mutex>

#include "session/FrameConsumer.h"

namespace zor {

class FrameMailbox : public IFrameConsumer {
 public:
  // `on_frame` runs on the driver's thread after the frame is stored, without the lock held;
  // it must only post or notify.
  explicit FrameMailbox(std::function<void()> on_frame = {}) : on_frame_(std::move(on_frame)) {}

  void OnFrame(const FramePtr& frame) override;

  // The newest frame (null before the first, and after a Take) and how many frames arrived.
  FramePtr Latest() const;
  uint64_t Count() const;
  // For a consumer that works on each frame once: the newest frame if one arrived since the
  // last Take, else null. The mailbox lets go of it, so a frame being worked on is held only by
  // its taker (and Latest is null until the next frame).
  FramePtr Take();

 private:
  const std::function<void()> on_frame_;
  mutable std::mutex mutex_;
  FramePtr latest_;
  uint64_t count_ = 0;
  bool taken_ = true;  // nothing to take before the first frame
};

}  // namespace zor
