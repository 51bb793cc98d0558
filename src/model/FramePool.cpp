#include "model/FramePool.h"

namespace zor {
namespace {

// Frames in flight at once: the one being decoded, the one every consumer currently shows, and
// one a slow consumer (a painting window, an analysing worker) may still hold. More idle
// buffers than this would only keep memory that nobody uses.
constexpr size_t kMaxIdleFrames = 4;

}  // namespace

struct FramePool::Shared {
  mutable std::mutex mutex;
  bool pool_alive = true;
  std::vector<std::unique_ptr<ScreenImage>> idle;

  // Runs on whichever thread drops the last reference to a frame.
  void Return(ScreenImage* frame) {
    std::unique_ptr<ScreenImage> owned(frame);
    std::lock_guard lock(mutex);
    if (pool_alive && idle.size() < kMaxIdleFrames) idle.push_back(std::move(owned));
  }
};

FramePool::FramePool() : shared_(std::make_shared<Shared>()) {}

FramePool::~FramePool() {
  std::lock_guard lock(shared_->mutex);
  shared_->pool_alive = false;
  shared_->idle.clear();
}

std::shared_ptr<ScreenImage> FramePool::Take() {
  std::unique_ptr<ScreenImage> frame;
  {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->idle.empty()) {
      frame = std::move(shared_->idle.back());
      shared_->idle.pop_back();
    }
  }
  if (!frame) frame = std::make_unique<ScreenImage>();
  // The deleter keeps the shared part alive, so a frame dropped after the pool is gone is freed.
  return std::shared_ptr<ScreenImage>(frame.release(),
                                      [shared = shared_](ScreenImage* f) { shared->Return(f); });
}

size_t FramePool::IdleCount() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->idle.size();
}

}  // namespace zor
