#pragma once
// The repeated "best unmasked position" search over a score grid, as cv::minMaxLoc with a mask
// reports it (highest score, the first in row-major order among equals, NaN never chosen), but
// without rescanning the whole grid after every suppression: each row keeps its own best, and
// masking a rectangle rescans only the rows it touches.
#include <optional>
#include <vector>

#include <opencv2/core.hpp>

namespace zor {

class BestPositionSearch {
 public:
  struct Best {
    cv::Point At;
    double Score = 0.0;
  };

  // `scores` is a CV_32F grid; `mask` a CV_8U grid of the same size (0 = never chosen). The
  // search keeps both headers; Suppress writes into the mask's pixels.
  BestPositionSearch(const cv::Mat& scores, cv::Mat mask);

  // The best position not masked, or nothing when every position is masked (or NaN).
  std::optional<Best> Find() const;

  // Masks `area` (clipped to the grid) so that none of its positions is chosen again.
  void Suppress(const cv::Rect& area);

 private:
  void RefreshRow(int y);

  cv::Mat scores_;
  cv::Mat mask_;
  std::vector<double> row_score_;  // best score of each row under the mask
  std::vector<int> row_x_;         // its column, -1 when the row has nothing left
};

}  // namespace zor
