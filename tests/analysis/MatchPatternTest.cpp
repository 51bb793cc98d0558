// MatchPattern: which template pixels take part, its half-size suppression, and agreement with
// a direct masked cv::matchTemplate.
#include <algorithm>

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include "analysis/AnalysisParams.h"
#include "AnalysisFixtures.h"

namespace zor::test {
namespace {

constexpr int32_t kPattern = 1;

// A 16 x 16 target: left half pure red (B 0, G 0, R 220), right half noise; the corner pixel
// row is transparent.
cv::Mat RedHalfTarget() {
  cv::Mat target = NoiseImage(16, 16, 31);
  target(cv::Rect(0, 0, 8, 16)).setTo(cv::Scalar(0, 0, 220, 255));
  target(cv::Rect(0, 0, 16, 1)).setTo(cv::Scalar(255, 255, 255, 0));
  return target;
}

cv::Mat DirectScores(const cv::Mat& region, const cv::Mat& target, const ColourBox& box) {
  cv::Mat mask(target.size(), CV_8U, cv::Scalar(0));
  for (int y = 0; y < target.rows; ++y) {
    for (int x = 0; x < target.cols; ++x) {
      const cv::Vec4b p = target.at<cv::Vec4b>(y, x);
      if (p[3] != 0 && box.Admits(p[0], p[1], p[2])) mask.at<uint8_t>(y, x) = 255;
    }
  }
  cv::Mat scores;
  cv::matchTemplate(region, target, scores, cv::TM_CCORR_NORMED, mask);
  return scores;
}

TEST(MatchPattern, ScoresAgreeWithDirectMaskedMatchTemplate) {
  cv::Mat screen = NoiseImage(120, 90, 32);
  screen(cv::Rect(0, 60, 50, 30)).setTo(cv::Scalar(0, 0, 0, 255));  // black: undefined scores there
  const cv::Mat target = RedHalfTarget();
  Plant(screen, target, 70, 20);
  const WorkRect area{-5, 3, 110, 200};
  const cv::Rect region(0, 3, 110, 87);
  struct Case {
    ParamList params;
    ColourBox box;
  };
  ColourBox red_only;
  red_only.MinR = 200, red_only.MaxG = 10, red_only.MaxB = 10;
  const Case cases[] = {
      {{}, ColourBox{}},
      {{{u"MinR", u"200"}, {u"MaxG", u"10"}, {u"MaxB", u"10"}}, red_only},
  };
  for (const auto& c : cases) {
    const Item item = MakeItem(kPattern, target, c.params, 0.8f);
    const cv::Mat scores = DirectScores(screen(region), target, c.box);
    const MatchRules rules(item, 0.8f, false, SuppressionKind::kHalfTemplate);
    const AnalysisResult result = Analyze(screen, item, &area);
    ASSERT_TRUE(result.Found);
    EXPECT_EQ(result.Matches, MatchesByWholeGridSearch(scores, region, item, rules));
    EXPECT_EQ(Corners(result)[0], cv::Point(70, 20));
  }
}

TEST(MatchPattern, BoundsBeyondTheByteRangeActAsTheDefaults) {
  cv::Mat screen = NoiseImage(100, 80, 33);
  const cv::Mat target = RedHalfTarget();
  Plant(screen, target, 10, 50);
  const AnalysisResult defaults = Analyze(screen, MakeItem(kPattern, target, {}, 0.7f));
  const AnalysisResult wide = Analyze(
      screen, MakeItem(kPattern, target, {{u"MaxG", u"300"}, {u"MinB", u"-20"}, {u"MinR", u"x"}}, 0.7f));
  ASSERT_TRUE(defaults.Found);
  EXPECT_EQ(wide.Matches, defaults.Matches);
  // "SearchMode" "Fast" changes nothing in this engine.
  EXPECT_EQ(Analyze(screen, MakeItem(kPattern, target, {{u"SearchMode", u"Fast"}}, 0.7f)).Matches, defaults.Matches);
}

TEST(MatchPattern, TransparentPixelsNeverTakePart) {
  // A target whose only opaque pixels are its left half: a screen copy that differs only in
  // the transparent half still scores as a perfect match.
  cv::Mat target = NoiseImage(12, 12, 34);
  SetAlpha(target(cv::Rect(6, 0, 6, 12)), 0);
  cv::Mat screen = NoiseImage(60, 40, 35);
  cv::Mat copy = target.clone();
  SetAlpha(copy, 255);
  NoiseImage(6, 12, 36).copyTo(copy(cv::Rect(6, 0, 6, 12)));
  Plant(screen, copy, 30, 20);
  const AnalysisResult result = Analyze(screen, MakeItem(kPattern, target, {{u"Mode", u"Single"}}, 0.999f));
  ASSERT_TRUE(result.Found);
  EXPECT_EQ(Corners(result)[0], cv::Point(30, 20));
}

TEST(MatchPattern, AColourBoxThatAdmitsNothingFindsNothing) {
  cv::Mat screen = NoiseImage(60, 40, 37);
  const cv::Mat target = RedHalfTarget();
  Plant(screen, target, 5, 5);
  const AnalysisResult result =
      Analyze(screen, MakeItem(kPattern, target, {{u"MinR", u"200"}, {u"MaxR", u"100"}}, 0.0f));
  EXPECT_FALSE(result.Found);
  EXPECT_TRUE(result.Message.empty());
}

TEST(MatchPattern, SecondTargetHalfATemplateAwayIsKept) {
  const cv::Mat target = NoiseImage(10, 10, 38);
  cv::Mat screen = NoiseImage(100, 40, 39);
  Plant(screen, target, 20, 10);
  Plant(screen, target, 30, 10);  // h_w = 5: well outside the suppressed columns 15 .. 24
  std::vector<cv::Point> found = Corners(Analyze(screen, MakeItem(kPattern, target, {}, 0.99f)));
  std::sort(found.begin(), found.end(), [](auto a, auto b) { return a.x < b.x; });
  EXPECT_EQ(found, (std::vector<cv::Point>{{20, 10}, {30, 10}}));
}

}  // namespace
}  // namespace zor::test
