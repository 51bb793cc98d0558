#pragma once
// A copy of only the work area of a screen picture, for a caller that wants to let go of the
// whole picture (8 MB at 1920 x 1080) while it searches, say, 640 x 480 of it. Searching the copy
// gives the result that searching the picture gives, positions in screen pixels included: the
// engines read nothing outside the work area.
#include <cstdint>
#include <vector>

#include "analysis/AnalysisEngine.h"

namespace zor {

class WorkAreaCopy {
 public:
  // Copies the work area of `frame`, clipped to the picture as the engines clip it, into a
  // buffer kept for the next copy. False, with nothing copied, when that area is the whole
  // picture or the picture's bytes are short: search `frame` itself then.
  bool CopyFrom(const AnalysisFrame& frame);
  // RunAnalysis on the last copy, with every position of the result moved to screen pixels.
  bool Analyse(const Item& item, AnalysisResult& result) const;

 private:
  std::vector<uint8_t> pixels_;  // BGRA, stride width_ * 4
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace zor
