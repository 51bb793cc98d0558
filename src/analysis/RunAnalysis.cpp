#include <memory>

#include "analysis/AnalysisEngine.h"
#include "analysis/AnalysisSteps.h"
#include "analysis/MatchBinPat.h"
#include "analysis/MatchImage.h"
#include "analysis/MatchPattern.h"
#include "model/Item.h"
#include "platform/Diag.h"
#include "platform/StageProbe.h"

namespace zor {
namespace {

std::unique_ptr<IAnalysisEngine> MakeEngine(int32_t type) {
  switch (type) {
    case kEngineImage: return std::make_unique<MatchImage>();
    case kEnginePattern: return std::make_unique<MatchPattern>();
    case kEngineBinPat: return std::make_unique<MatchBinPat>();
    default: return nullptr;
  }
}

}  // namespace

bool RunAnalysis(const AnalysisFrame& frame, const Item& item, AnalysisResult& result) {
  const probe::StageTimer timer(probe::Stage::Analysis);
  result.Clear();
  const std::unique_ptr<IAnalysisEngine> engine = MakeEngine(item.AnalysisType);
  if (!engine) {
    result.Found = false;
    result.Message = u"알 수 없는 엔진 타입 요청";
    diag::Write("analysis", u"RunAnalysis: " + result.Message);
    return false;
  }
  int32_t width = frame.Width, height = frame.Height;
  const bool whole_frame = width >= 0 && height >= 0 &&
                           frame.Pixels.size() >= uint64_t(uint32_t(width)) * uint32_t(height) * 4;
  if (!whole_frame) width = height = 0;
  const cv::Rect region = ClipWorkArea(&frame.RcWork, width, height);
  const AnalysisTurn turn(int64_t{region.width} * region.height);
  const bool found = engine->Analyze(frame.Pixels.data(), width, height, &frame.RcWork, item, result);
  // Called on a worker or the GUI thread; the engine's own words say why it found nothing.
  if (!found && !result.Message.empty() && diag::Enabled("analysis")) {
    diag::Write("analysis", u"RunAnalysis: " + result.Message);
  }
  return found;
}

}  // namespace zor
