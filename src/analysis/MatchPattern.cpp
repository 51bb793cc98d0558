#include "analysis/MatchPattern.h"

#include <opencv2/imgproc.hpp>

#include "analysis/AnalysisParams.h"
#include "analysis/AnalysisSteps.h"

namespace zor {

bool MatchPattern::Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                           const Item& item, AnalysisResult& result) {
  static constexpr EngineMessages kMessages{u"패턴 이미지 데이터가 비어있습니다.",
                                            u"작업 영역이 패턴 이미지보다 작습니다."};
  result.Clear();
  // "SearchMode" is read with the others but changes nothing in this engine.
  const AnalysisParams params = ReadAnalysisParams(item);
  AnalysisSetup setup;
  if (!PrepareAnalysis(pixels, width, height, work_area, item.Template, kMessages, result, setup)) return false;

  // Only admitted pixels take part; the one-channel mask applies to all four channels.
  cv::Mat scores(setup.Grid, CV_32F);
  cv::matchTemplate(setup.RegionView(), setup.Template, scores, cv::TM_CCORR_NORMED,
                    AdmittedPixels(setup.Template, params.Box));

  BestPositionSearch search(scores, cv::Mat(setup.Grid, CV_8U, cv::Scalar(1)));
  return CollectMatches(search, setup,
                        MatchRules(item, item.Threshold, params.Single, SuppressionKind::kHalfTemplate), result);
}

}  // namespace zor
