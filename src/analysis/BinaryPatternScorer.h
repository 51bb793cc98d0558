#pragma once
// Scores of the binarised pattern match for a whole grid at once. The region is binarised once
// (bright when (R + G + B) / 3 >= the threshold) into 64-bit sliding words, and each position's
// count of equal bits comes from XOR and popcount over the template's packed rows: about
// template height x ceil(width / 64) word operations per position instead of width x height
// pixel reads, with bit-for-bit the same scores.
#include <cstdint>
#include <vector>

#include <opencv2/core.hpp>

namespace zor {

// Template bits, row-major, 1 = bright (and admitted), 0 = dark or excluded.
struct BinaryTemplate {
  std::vector<uint8_t> Bits;
  cv::Size Size;
};

// Fills `scores` (made CV_32F, grid rows x grid columns, grid = region size - template size + 1)
// with (equal bits) / (template pixels) as a float division, at the positions whose column and
// row are multiples of `step` (1 or 2); the other positions are set to 0.
void ScoreBinaryPattern(const cv::Mat& region, int32_t bin_threshold, const BinaryTemplate& templ, int step,
                        cv::Mat& scores);

// Whether a pixel is bright against the binarisation level, without a division:
// (r + g + b) / 3 >= level  <=>  r + g + b >= 3 * level for whole numbers.
inline bool IsBright(int b, int g, int r, int32_t level) {
  return int64_t(b) + g + r >= int64_t(level) * 3;
}

}  // namespace zor
