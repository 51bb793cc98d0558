#pragma once
// Reusable frame buffers for one producer (a driver's receive thread).
//
// A fresh 8 MB frame buffer costs far more to touch for the first time than decoding a JPEG
// into it, so frames are recycled: Take() hands out an idle buffer (keeping its capacity),
// the producer fills it and publishes it as a FramePtr, and when the last consumer drops its
// reference the buffer goes back to the pool's idle list. Frames may outlive the pool; they
// are then simply freed.
#include <memory>
#include <mutex>
#include <vector>

#include "model/ScreenImage.h"

namespace zor {

class FramePool {
 public:
  FramePool();
  ~FramePool();
  FramePool(const FramePool&) = delete;
  FramePool& operator=(const FramePool&) = delete;

  // A writable frame for the caller alone; its pixels hold the size of their last use.
  // Convert it to FramePtr to publish it and do not write it afterwards.
  std::shared_ptr<ScreenImage> Take();

  // Idle buffers kept for reuse (for tests and diagnostics).
  size_t IdleCount() const;

 private:
  struct Shared;  // outlives the pool while frames are in flight
  std::shared_ptr<Shared> shared_;
};

}  // namespace zor
