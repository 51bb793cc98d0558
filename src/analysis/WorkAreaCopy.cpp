#include "analysis/WorkAreaCopy.h"

#include <cstring>

#include "analysis/AnalysisSteps.h"

namespace zor {
namespace {

void MoveBy(MatchRecord& match, int32_t dx, int32_t dy) {
  match.Left += dx;
  match.Top += dy;
  match.CenterX += dx;
  match.CenterY += dy;
}

}  // namespace

bool WorkAreaCopy::CopyFrom(const AnalysisFrame& frame) {
  if (frame.Width <= 0 || frame.Height <= 0 ||
      frame.Pixels.size() < uint64_t(uint32_t(frame.Width)) * uint32_t(frame.Height) * 4) {
    return false;
  }
  const cv::Rect area = ClipWorkArea(&frame.RcWork, frame.Width, frame.Height);
  if (area.width == frame.Width && area.height == frame.Height) return false;
  left_ = area.x;
  top_ = area.y;
  width_ = area.width;
  height_ = area.height;
  const size_t row_bytes = size_t(width_) * 4;
  pixels_.resize(row_bytes * size_t(height_));
  const size_t stride = size_t(frame.Width) * 4;
  for (int32_t row = 0; row < height_; ++row) {
    std::memcpy(pixels_.data() + row_bytes * size_t(row),
                frame.Pixels.data() + stride * size_t(top_ + row) + size_t(left_) * 4, row_bytes);
  }
  return true;
}

bool WorkAreaCopy::Analyse(const Item& item, AnalysisResult& result) const {
  const AnalysisFrame copy{WorkRect{0, 0, width_, height_}, width_, height_, pixels_};
  const bool found = RunAnalysis(copy, item, result);
  if (result.Best.Valid) MoveBy(result.Best, left_, top_);
  for (MatchRecord& match : result.Matches) MoveBy(match, left_, top_);
  if (result.BestSeen) {
    result.BestSeen->Left += left_;
    result.BestSeen->Top += top_;
  }
  return found;
}

}  // namespace zor
