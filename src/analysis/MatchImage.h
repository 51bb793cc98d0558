#pragma once
// Engine type 0: finds the Item's template by normalised correlation (TM_CCOEFF_NORMED), in grey
// by default or in colour with "ColorMode" "True" (alpha included).
#include "analysis/AnalysisEngine.h"

namespace zor {

// The acceptance score: the tolerance subtracted in single precision (the threshold is stored as
// a float), then compared in double with the score.
float MatchImageAcceptScore(float threshold, float tolerance);

class MatchImage : public IAnalysisEngine {
 public:
  bool Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area, const Item& item,
               AnalysisResult& result) override;
};

}  // namespace zor
