#include "analysis/MatchImage.h"

#include <opencv2/imgproc.hpp>

#include "analysis/AnalysisParams.h"
#include "analysis/AnalysisSteps.h"

namespace zor {

float MatchImageAcceptScore(float threshold, float tolerance) { return threshold - tolerance; }

bool MatchImage::Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                         const Item& item, AnalysisResult& result) {
  static constexpr EngineMessages kMessages{u"이미지 데이터가 비어있습니다.",
                                            u"작업 영역(RcWork)이 템플릿 이미지보다 작습니다."};
  result.Clear();
  const AnalysisParams params = ReadAnalysisParams(item);
  AnalysisSetup setup;
  if (!PrepareAnalysis(pixels, width, height, work_area, item.Template, kMessages, result, setup)) return false;

  // Every position is written by matchTemplate, so the grid needs no clearing first.
  cv::Mat scores(setup.Grid, CV_32F);
  if (params.Colour) {
    cv::matchTemplate(setup.RegionView(), setup.Template, scores, cv::TM_CCOEFF_NORMED);
  } else {
    cv::Mat grey_region, grey_template;
    cv::cvtColor(setup.RegionView(), grey_region, cv::COLOR_BGRA2GRAY);
    cv::cvtColor(setup.Template, grey_template, cv::COLOR_BGRA2GRAY);
    cv::matchTemplate(grey_region, grey_template, scores, cv::TM_CCOEFF_NORMED);
  }

  BestPositionSearch search(scores, cv::Mat(setup.Grid, CV_8U, cv::Scalar(1)));
  // 0.95f - 0.01f is 0.9399999976..., so a score of exactly 0.94 is refused with the defaults.
  const float accept_score = MatchImageAcceptScore(item.Threshold, params.Tolerance);
  const SuppressionKind suppression = params.Fast ? SuppressionKind::kOverlapWide : SuppressionKind::kOverlap;
  return CollectMatches(search, setup, MatchRules(item, accept_score, params.Single, suppression), result);
}

}  // namespace zor
