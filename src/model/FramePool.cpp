#include "model/FramePool.h"

#include <algorithm>

namespace zor {
namespace {

// Every device's pictures pass through the shared pool, but only the two network threads decode
// at a time; what is idle beyond a few buffers only keeps memory that nobody uses.
constexpr size_t kSharedMaxIdle = 8;

size_t Capacity(const std::unique_ptr<ScreenImage>& frame) { return frame->pixels.capacity(); }

}  // namespace

struct FramePool::Shared {
  explicit Shared(size_t max) : max_idle(max) {}

  mutable std::mutex mutex;
  const size_t max_idle;
  bool pool_alive = true;
  std::vector<std::unique_ptr<ScreenImage>> idle;

  // Runs on whichever thread drops the last reference to a frame.
  void Return(ScreenImage* frame) {
    std::unique_ptr<ScreenImage> owned(frame);
    std::lock_guard lock(mutex);
    if (!pool_alive || max_idle == 0) return;
    idle.push_back(std::move(owned));
    if (idle.size() <= max_idle) return;
    const auto least = std::min_element(idle.begin(), idle.end(),
                                         [](const auto& a, const auto& b) { return Capacity(a) < Capacity(b); });
    idle.erase(least);
  }

  std::unique_ptr<ScreenImage> TakeFitting(size_t min_bytes) {
    std::lock_guard lock(mutex);
    auto best = idle.end();
    for (auto it = idle.begin(); it != idle.end(); ++it) {
      if (Capacity(*it) >= min_bytes && (best == idle.end() || Capacity(*it) < Capacity(*best))) best = it;
    }
    if (best == idle.end()) return nullptr;
    std::unique_ptr<ScreenImage> frame = std::move(*best);
    idle.erase(best);
    return frame;
  }
};

FramePool::FramePool(size_t max_idle) : shared_(std::make_shared<Shared>(max_idle)) {}

FramePool::~FramePool() {
  std::lock_guard lock(shared_->mutex);
  shared_->pool_alive = false;
  shared_->idle.clear();
}

std::shared_ptr<ScreenImage> FramePool::Take(size_t min_bytes) {
  std::unique_ptr<ScreenImage> frame = shared_->TakeFitting(min_bytes);
  if (!frame) frame = std::make_unique<ScreenImage>();
  // The deleter keeps the shared part alive, so a frame dropped after the pool is gone is freed.
  return std::shared_ptr<ScreenImage>(frame.release(),
                                      [shared = shared_](ScreenImage* f) { shared->Return(f); });
}

size_t FramePool::IdleCount() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->idle.size();
}

FramePool& SharedFramePool() {
  static FramePool pool(kSharedMaxIdle);
  return pool;
}

}  // namespace zor
