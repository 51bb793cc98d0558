#include "analysis/BestPositionSearch.h"

#include <utility>

namespace zor {

BestPositionSearch::BestPositionSearch(const cv::Mat& scores, cv::Mat mask)
    : scores_(scores), mask_(std::move(mask)), row_score_(scores.rows, 0.0), row_x_(scores.rows, -1) {
  CV_Assert(scores_.type() == CV_32FC1 && mask_.type() == CV_8UC1 && scores_.size() == mask_.size());
  for (int y = 0; y < scores_.rows; ++y) RefreshRow(y);
}

void BestPositionSearch::RefreshRow(int y) {
  double max_score = 0.0;
  cv::Point at(-1, -1);
  cv::minMaxLoc(scores_.row(y), nullptr, &max_score, nullptr, &at, mask_.row(y));
  row_score_[y] = max_score;
  row_x_[y] = at.x;
}

std::optional<BestPositionSearch::Best> BestPositionSearch::Find() const {
  int best_y = -1;
  for (int y = 0; y < scores_.rows; ++y) {
    if (row_x_[y] < 0) continue;
    // Strictly greater: among equal scores the earlier row wins, as in one row-major scan.
    if (best_y < 0 || row_score_[y] > row_score_[best_y]) best_y = y;
  }
  if (best_y < 0) return std::nullopt;
  return Best{cv::Point(row_x_[best_y], best_y), row_score_[best_y]};
}

void BestPositionSearch::Suppress(const cv::Rect& area) {
  const cv::Rect clipped = area & cv::Rect(0, 0, mask_.cols, mask_.rows);
  if (clipped.empty()) return;
  mask_(clipped).setTo(cv::Scalar(0));
  for (int y = clipped.y; y < clipped.y + clipped.height; ++y) RefreshRow(y);
}

}  // namespace zor
