#pragma once
// Engine type 1: masked normalised cross-correlation (TM_CCORR_NORMED) in which only the template
// pixels that are opaque and inside the colour box "MinR" ... "MaxB" take part.
#include "analysis/AnalysisEngine.h"

namespace zor {

class MatchPattern : public IAnalysisEngine {
 public:
  bool Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area, const Item& item,
               AnalysisResult& result) override;
};

}  // namespace zor
