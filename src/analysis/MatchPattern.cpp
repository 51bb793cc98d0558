#include "analysis/MatchPattern.h"

#include <opencv2/imgproc.hpp>

#include "analysis/AnalysisParams.h"
#include "analysis/AnalysisSteps.h"

namespace zor {
namespace {

// 255 where a template pixel takes part (opaque and inside the colour box), 0 elsewhere.
cv::Mat PatternMask(const cv::Mat& templ, const ColourBox& box) {
  cv::Mat mask(templ.size(), CV_8U, cv::Scalar(0));
  for (int r = 0; r < templ.rows; ++r) {
    const uint8_t* bgra = templ.ptr<uint8_t>(r);
    uint8_t* out = mask.ptr<uint8_t>(r);
    for (int c = 0; c < templ.cols; ++c, bgra += 4) {
      if (bgra[3] != 0 && box.Admits(bgra[0], bgra[1], bgra[2])) out[c] = 255;
    }
  }
  return mask;
}

}  // namespace

bool MatchPattern::Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                           const Item& item, AnalysisResult& result) {
  static constexpr EngineMessages kMessages{u"패턴 이미지 데이터가 비어있습니다.",
                                            u"작업 영역이 패턴 이미지보다 작습니다."};
  result.Clear();
  // "SearchMode" is read with the others but changes nothing in this engine.
  const AnalysisParams params = ReadAnalysisParams(item);
  AnalysisSetup setup;
  if (!PrepareAnalysis(pixels, width, height, work_area, item.Template, kMessages, result, setup)) return false;

  cv::Mat scores(setup.Grid, CV_32F);
  cv::matchTemplate(setup.RegionView(), setup.Template, scores, cv::TM_CCORR_NORMED,
                    PatternMask(setup.Template, params.Box));

  BestPositionSearch search(scores, cv::Mat(setup.Grid, CV_8U, cv::Scalar(1)));
  return CollectMatches(search, setup,
                        MatchRules(item, item.Threshold, params.Single, SuppressionKind::kHalfTemplate), result);
}

}  // namespace zor
