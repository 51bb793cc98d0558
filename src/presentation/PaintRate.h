#pragma once
// Paints per second of a window, counted the way its title shows them: the paints of the last
// completed second, taken when a paint finds that a second has passed since the count began.
// UI thread only.
#include <cstdint>

namespace zor {

class PaintRate {
 public:
  static constexpr int64_t kSecondNs = 1'000'000'000;

  // Starts the first second (the window's creation).
  void Start(int64_t now_ns) { second_start_ns_ = now_ns; }

  // Counts one paint; true when it completed a second, so that Fps() holds a new count.
  bool CountPaint(int64_t now_ns) {
    ++paint_count_;
    if (now_ns - second_start_ns_ < kSecondNs) return false;
    fps_ = paint_count_;
    paint_count_ = 0;
    second_start_ns_ = now_ns;
    return true;
  }

  uint32_t Fps() const { return fps_; }

 private:
  uint32_t fps_ = 0;
  uint32_t paint_count_ = 0;
  int64_t second_start_ns_ = 0;
};

}  // namespace zor
