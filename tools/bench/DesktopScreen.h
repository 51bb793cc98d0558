#pragma once
// A synthetic 1920 x 1080 desktop for the analysis benchmarks: a gradient background, windows
// with title bars, text-like glyph rows and buttons, an icon column and a task bar. Built from
// a fixed seed, so every run times the same picture.
#include <opencv2/core.hpp>

namespace zor::bench {

// BGRA, opaque.
cv::Mat DesktopScreen();

// A place on DesktopScreen() whose surroundings are distinctive (an icon with its label), for
// cutting templates of any of the benchmarked sizes.
inline constexpr int kTargetLeft = 28;
inline constexpr int kTargetTop = 446;

}  // namespace zor::bench
