#pragma once
// Reusable frame buffers for the producers of frames (the drivers' receive threads).
//
// A fresh 8 MB frame buffer costs far more to touch for the first time than decoding a JPEG
// into it, so frames are recycled: Take() hands out an idle buffer (keeping its capacity),
// the producer fills it and publishes it as a FramePtr, and when the last consumer drops its
// reference the buffer goes back to the pool's idle list. Frames may outlive the pool; they
// are then simply freed. Any thread may take and return.
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "model/ScreenImage.h"

namespace zor {

class FramePool {
 public:
  // Idle buffers kept by default: the one being decoded, the one every consumer currently shows,
  // and one a slow consumer may still hold, with one to spare.
  static constexpr size_t kDefaultMaxIdle = 4;

  // Keeps at most `max_idle` idle buffers; beyond that the one of least capacity is freed.
  explicit FramePool(size_t max_idle = kDefaultMaxIdle);
  ~FramePool();
  FramePool(const FramePool&) = delete;
  FramePool& operator=(const FramePool&) = delete;

  // A writable frame for the caller alone; its pixels hold the size of their last use. The idle
  // buffer of least capacity that holds `min_bytes` pixel bytes, else a new one, so that a small
  // picture does not take a large buffer away from a large one and a large picture does not
  // grow (reallocate) a small buffer. Convert it to FramePtr to publish it and do not write it
  // afterwards.
  std::shared_ptr<ScreenImage> Take(size_t min_bytes = 0);

  // Idle buffers kept for reuse (for tests and diagnostics).
  size_t IdleCount() const;

 private:
  struct Shared;  // outlives the pool while frames are in flight
  std::shared_ptr<Shared> shared_;
};

// The pool every driver decodes into. Shared rather than one per driver: a buffer let go by one
// device's consumers serves whichever device's picture comes next, so the idle buffers of the
// process stay a handful instead of a few per device (8 MB each at 1920 x 1080).
FramePool& SharedFramePool();

}  // namespace zor
