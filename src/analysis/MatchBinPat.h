#pragma once
// Engine type 2: template and screen reduced to one bit per pixel (bright against "BinThreshold");
// each position scores the share of equal bits. Template pixels that are transparent or outside
// the colour box count as dark.
#include "analysis/AnalysisEngine.h"

namespace zor {

class MatchBinPat : public IAnalysisEngine {
 public:
  bool Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area, const Item& item,
               AnalysisResult& result) override;
};

}  // namespace zor
