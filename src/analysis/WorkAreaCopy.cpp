#include "analysis/WorkAreaCopy.h"

#include <cstring>

#include "analysis/AnalysisSteps.h"
#include "platform/StageProbe.h"

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
  if (area.x != left_ || area.y != top_ || area.width != width_ || area.height != height_) {
    changed_since_search_ = true;
    left_ = area.x;
    top_ = area.y;
    width_ = area.width;
    height_ = area.height;
  }
  const size_t row_bytes = size_t(width_) * 4;
  pixels_.resize(row_bytes * size_t(height_));
  const size_t stride = size_t(frame.Width) * 4;
  for (int32_t row = 0; row < height_; ++row) {
    uint8_t* copy = pixels_.data() + row_bytes * size_t(row);
    const uint8_t* source = frame.Pixels.data() + stride * size_t(top_ + row) + size_t(left_) * 4;
    // Comparing first costs a read of the row; a row that differs is written as before.
    if (std::memcmp(copy, source, row_bytes) == 0) continue;
    std::memcpy(copy, source, row_bytes);
    changed_since_search_ = true;
  }
  return true;
}

bool WorkAreaCopy::SearchedBefore(const Item& item) const {
  return !changed_since_search_ && searched_item_ && searched_item_->Number == item.Number &&
         searched_item_->SameStoredFields(item);
}

bool WorkAreaCopy::Analyse(const Item& item, AnalysisResult& result) {
  if (SearchedBefore(item)) {
    const probe::StageTimer timer(probe::Stage::Analysis);  // still one analysis of the Item
    result = searched_result_;
    return searched_found_;
  }
  const AnalysisFrame copy{WorkRect{0, 0, width_, height_}, width_, height_, pixels_};
  const bool found = RunAnalysis(copy, item, result);
  ++searches_;
  if (result.Best.Valid) MoveBy(result.Best, left_, top_);
  for (MatchRecord& match : result.Matches) MoveBy(match, left_, top_);
  if (result.BestSeen) {
    result.BestSeen->Left += left_;
    result.BestSeen->Top += top_;
  }
  changed_since_search_ = false;
  searched_item_ = item;
  searched_result_ = result;
  searched_found_ = found;
  return found;
}

}  // namespace zor
