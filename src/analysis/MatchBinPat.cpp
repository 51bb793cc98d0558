#include "analysis/MatchBinPat.h"

#include "analysis/AnalysisParams.h"
#include "analysis/AnalysisSteps.h"
#include "analysis/BinaryPatternScorer.h"

namespace zor {
namespace {

// 1 where a template pixel is admitted (opaque, inside the colour box) and bright; 0 elsewhere.
BinaryTemplate TemplateBits(const cv::Mat& templ, const AnalysisParams& params) {
  const cv::Mat admitted = AdmittedPixels(templ, params.Box);
  BinaryTemplate bits;
  bits.Size = templ.size();
  bits.Bits.assign(size_t(templ.rows) * templ.cols, 0);
  for (int r = 0; r < templ.rows; ++r) {
    const uint8_t* bgra = templ.ptr<uint8_t>(r);
    for (int c = 0; c < templ.cols; ++c, bgra += 4) {
      bits.Bits[size_t(r) * templ.cols + c] =
          admitted.at<uint8_t>(r, c) != 0 && IsBright(bgra[0], bgra[1], bgra[2], params.BinThreshold);
    }
  }
  return bits;
}

// Positions the scan tries: all of them, or in fast search every second column of every
// second row counted from the region's corner.
cv::Mat ScanMask(cv::Size grid, int step) {
  if (step == 1) return cv::Mat(grid, CV_8U, cv::Scalar(1));
  cv::Mat mask(grid, CV_8U, cv::Scalar(0));
  for (int y = 0; y < grid.height; y += step) {
    uint8_t* row = mask.ptr<uint8_t>(y);
    for (int x = 0; x < grid.width; x += step) row[x] = 1;
  }
  return mask;
}

}  // namespace

bool MatchBinPat::Analyze(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                          const Item& item, AnalysisResult& result) {
  static constexpr EngineMessages kMessages{u"2진 패턴 이미지 데이터가 비어있습니다.",
                                            u"작업 영역이 2진 패턴 이미지보다 작습니다."};
  result.Clear();
  const AnalysisParams params = ReadAnalysisParams(item);
  AnalysisSetup setup;
  if (!PrepareAnalysis(pixels, width, height, work_area, item.Template, kMessages, result, setup)) return false;

  // A position's score never changes between matches, so the grid is scored once and every
  // further match is a search of the same grid under the growing suppression mask.
  const int step = params.Fast ? 2 : 1;
  cv::Mat scores;
  ScoreBinaryPattern(setup.RegionView(), params.BinThreshold, TemplateBits(setup.Template, params), step, scores);
  BestPositionSearch search(scores, ScanMask(setup.Grid, step));
  // The threshold and the scores are both single precision; widening both keeps the comparison.
  return CollectMatches(search, setup,
                        MatchRules(item, item.Threshold, params.Single, SuppressionKind::kHalfTemplate), result);
}

}  // namespace zor
