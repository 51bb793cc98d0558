#include "analysis/AnalysisSteps.h"

#include <algorithm>

namespace zor {

cv::Rect ClipWorkArea(const WorkRect* work_area, int32_t width, int32_t height) {
  const cv::Rect whole(0, 0, width, height);
  if (work_area == nullptr) return whole;
  const int32_t left = std::max(work_area->Left, 0);
  const int32_t top = std::max(work_area->Top, 0);
  const int32_t right = std::min(work_area->Right, width);
  const int32_t bottom = std::min(work_area->Bottom, height);
  if (right <= left || bottom <= top) return whole;
  return cv::Rect(left, top, right - left, bottom - top);
}

bool PrepareAnalysis(const uint8_t* pixels, int32_t width, int32_t height, const WorkRect* work_area,
                     const TemplateImage& templ, const EngineMessages& messages, AnalysisResult& result,
                     AnalysisSetup& setup) {
  const uint64_t needed_bytes =
      templ.Width < 1 || templ.Height < 1 ? 0 : uint64_t(templ.Width) * uint64_t(templ.Height) * 4;
  if (needed_bytes == 0 || templ.Pixels.size() < needed_bytes) {
    result.Message = messages.EmptyTemplate;
    return false;
  }
  if (pixels == nullptr || width < 0 || height < 0) width = height = 0;
  // OpenCV's views take non-const data; the engines only read through them.
  setup.Screen = cv::Mat(height, width, CV_8UC4, const_cast<uint8_t*>(pixels));
  setup.Template = cv::Mat(templ.Height, templ.Width, CV_8UC4, const_cast<uint8_t*>(templ.Pixels.data()));
  setup.Region = ClipWorkArea(work_area, width, height);
  setup.Grid = cv::Size(setup.Region.width - templ.Width + 1, setup.Region.height - templ.Height + 1);
  if (setup.Grid.width < 1 || setup.Grid.height < 1) {
    result.Message = messages.SmallWorkArea;
    return false;
  }
  return true;
}

cv::Mat AdmittedPixels(const cv::Mat& templ, const ColourBox& box) {
  cv::Mat admitted(templ.size(), CV_8U, cv::Scalar(0));
  for (int r = 0; r < templ.rows; ++r) {
    const uint8_t* bgra = templ.ptr<uint8_t>(r);
    uint8_t* out = admitted.ptr<uint8_t>(r);
    for (int c = 0; c < templ.cols; ++c, bgra += 4) {
      if (bgra[3] != 0 && box.Admits(bgra[0], bgra[1], bgra[2])) out[c] = 255;
    }
  }
  return admitted;
}

cv::Rect SuppressionRect(cv::Point at, cv::Size templ, cv::Size grid, SuppressionKind kind) {
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
  switch (kind) {
    case SuppressionKind::kOverlap:
      x0 = at.x - templ.width + 1, x1 = at.x + templ.width;
      y0 = at.y - templ.height + 1, y1 = at.y + templ.height;
      break;
    case SuppressionKind::kOverlapWide:
      x0 = at.x - templ.width, x1 = at.x + templ.width + 1;
      y0 = at.y - templ.height, y1 = at.y + templ.height + 1;
      break;
    case SuppressionKind::kHalfTemplate:
      x0 = at.x - templ.width / 2, x1 = at.x + templ.width / 2;
      y0 = at.y - templ.height / 2, y1 = at.y + templ.height / 2;
      // A template one pixel wide or high has a half size of 0, which would leave the match
      // itself unmasked and have it found again until the cap; always cover the match.
      x1 = std::max(x1, at.x + 1);
      y1 = std::max(y1, at.y + 1);
      break;
  }
  x0 = std::max(x0, 0), y0 = std::max(y0, 0);
  x1 = std::min(x1, grid.width), y1 = std::min(y1, grid.height);
  return cv::Rect(x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0));
}

bool CollectMatches(BestPositionSearch& search, const AnalysisSetup& setup, const MatchRules& rules,
                    AnalysisResult& result) {
  const cv::Size templ = setup.Template.size();
  while (true) {
    const auto best = search.Find();
    // No position left: stop rather than report the "no position" answer as a match.
    if (!best) break;
    // The first answer is the grid's best: kept as the evidence of how close a miss came.
    if (!result.BestSeen) {
      result.BestSeen = ScoredPosition{setup.Region.x + best->At.x, setup.Region.y + best->At.y, templ.width,
                                       templ.height, static_cast<float>(best->Score)};
    }
    // Written as "accept when >=" so that a NaN threshold accepts nothing.
    if (!(best->Score >= rules.AcceptScore)) break;
    MatchRecord match;
    match.ItemNumber = rules.ItemNumber;
    match.ItemIndex = rules.ItemIndex;
    match.ItemIndex2 = rules.ItemIndex;
    match.Valid = 1;
    match.Left = setup.Region.x + best->At.x;
    match.Top = setup.Region.y + best->At.y;
    match.CenterX = match.Left + templ.width / 2;
    match.CenterY = match.Top + templ.height / 2;
    match.Width = templ.width;
    match.Height = templ.height;
    match.Score = static_cast<float>(best->Score);
    result.Add(match);
    if (rules.Single) break;
    search.Suppress(SuppressionRect(best->At, templ, setup.Grid, rules.Suppression));
    if (result.Matches.size() >= kMaxMatchesPerAnalysis) break;
  }
  if (result.Matches.empty()) result.Found = false;
  return result.Found;
}

}  // namespace zor
