#pragma once
// The steps that MatchImage, MatchPattern and MatchBinPat share: checking the template,
// wrapping screen and template as matrices (views, never copies), clipping the work area,
// sizing the score grid, and the find-accept-suppress loop that turns scores into matches.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <opencv2/core.hpp>

#include "analysis/AnalysisEngine.h"
#include "analysis/AnalysisParams.h"
#include "analysis/AnalysisResult.h"
#include "analysis/BestPositionSearch.h"
#include "model/Item.h"

namespace zor {

// The two failure texts of one engine.
struct EngineMessages {
  std::u16string_view EmptyTemplate;
  std::u16string_view SmallWorkArea;
};

// The matrices and sizes of one analysis after the shared checks passed.
struct AnalysisSetup {
  cv::Mat Screen;    // height x width, CV_8UC4, view of the caller's bytes
  cv::Mat Template;  // template height x width, CV_8UC4, view of the Item's bytes
  cv::Rect Region;   // the clipped work area in screen pixels
  cv::Size Grid;     // template top-left positions inside the region
  cv::Mat RegionView() const { return Screen(Region); }
};

// Clips `work_area` to a width x height image; an area that is empty after clipping, or absent,
// gives the whole image.
cv::Rect ClipWorkArea(const WorkRect* work_area, int32_t width, int32_t height);

// Checks the template and the work area and builds the views. On failure sets the engine's
// message in `result` and returns false. A template whose bytes are fewer than width x height x 4
// counts as empty, and a negative screen size as an empty screen, so nothing reads past a buffer.
bool PrepareAnalysis(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                     const TemplateImage& templ, const EngineMessages& messages, AnalysisResult& result,
                     AnalysisSetup& setup);

// 255 where a template pixel takes part in colour-box engines (opaque and inside `box`), else 0.
cv::Mat AdmittedPixels(const cv::Mat& templ, const ColourBox& box);

// The positions masked around a match at `at`.
enum class SuppressionKind {
  kOverlap,      // every position whose window overlaps the match (MatchImage, normal search)
  kOverlapWide,  // one more on each side (MatchImage, fast search)
  kHalfTemplate  // half the template size each way (MatchPattern, MatchBinPat)
};
cv::Rect SuppressionRect(cv::Point at, cv::Size templ, cv::Size grid, SuppressionKind kind);

struct MatchRules {
  double AcceptScore = 0.0;  // a position is accepted when its score >= this
  bool Single = false;       // stop after the first match
  SuppressionKind Suppression = SuppressionKind::kOverlap;
  int32_t ItemNumber = 0;
  int32_t ItemIndex = 0;

  MatchRules(const Item& item, double accept_score, bool single, SuppressionKind suppression)
      : AcceptScore(accept_score), Single(single), Suppression(suppression), ItemNumber(item.Number),
        ItemIndex(item.Index) {}
};

// Finds, accepts and suppresses until a score falls below the rules, no position is left, the
// single mode is satisfied or the result holds kMaxMatchesPerAnalysis matches. The first
// position found, accepted or not, becomes result.BestSeen. Returns found.
bool CollectMatches(BestPositionSearch& search, const AnalysisSetup& setup, const MatchRules& rules,
                    AnalysisResult& result);

}  // namespace zor
