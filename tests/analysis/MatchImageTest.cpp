// MatchImage: planted targets on noise screens, the acceptance arithmetic, suppression in both
// search modes, colour versus grey, and agreement with a direct cv::matchTemplate.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include "analysis/MatchImage.h"
#include "AnalysisFixtures.h"

namespace zor::test {
namespace {

constexpr int32_t kImage = 0;

// Every field of the records is checked against the whole-grid search below; here only which
// targets are found and what Single keeps of them.
TEST(MatchImage, FindsPlantedTargetsInSingleAndMultiMode) {
  cv::Mat screen = NoiseImage(320, 200, 11);
  const cv::Mat target = NoiseImage(16, 12, 12);
  for (const cv::Point p : {cv::Point(20, 30), cv::Point(200, 150), cv::Point(100, 5)}) Plant(screen, target, p.x, p.y);

  const AnalysisResult multi = Analyze(screen, MakeItem(kImage, target));
  std::vector<cv::Point> found = Corners(multi);
  std::sort(found.begin(), found.end(), [](auto a, auto b) { return a.x < b.x; });
  EXPECT_EQ(found, (std::vector<cv::Point>{{20, 30}, {100, 5}, {200, 150}}));
  EXPECT_EQ(multi.Best, multi.Matches.at(0));
  const AnalysisResult single = Analyze(screen, MakeItem(kImage, target, {{u"Mode", u"Single"}}));
  EXPECT_EQ(single.Matches, std::vector<MatchRecord>{multi.Matches[0]});
}

// 0.95f - 0.01f rounds to exactly 0.94f, and 0.94 in double lies above it: with the defaults
// both are accepted, and the next float below 0.94f is the highest score refused.
TEST(MatchImage, ToleranceIsSubtractedInSinglePrecision) {
  const double accept = MatchImageAcceptScore(0.95f, 0.01f);
  EXPECT_EQ(accept, double(0.94f));
  EXPECT_TRUE(0.94 >= accept);
  EXPECT_FALSE(double(std::nextafter(0.94f, 0.0f)) >= accept);
  EXPECT_GT(MatchImageAcceptScore(0.9f, -0.05f), 0.9f);  // a negative tolerance raises it
}

// The boundary on a real score: accepted at a threshold equal to the score, refused just above.
TEST(MatchImage, AcceptsAScoreEqualToTheThresholdAndNothingBelow) {
  cv::Mat screen = NoiseImage(80, 60, 15);
  const cv::Mat target = screen(cv::Rect(30, 20, 12, 12)).clone();
  cv::Mat blurred;
  cv::GaussianBlur(target, blurred, cv::Size(3, 3), 0);  // an imperfect copy: a score below 1
  Item probe = MakeItem(kImage, blurred, {{u"Mode", u"Single"}}, -1.0f);
  const float score = Analyze(screen, probe).Best.Score;
  ASSERT_LT(score, 0.999f);
  const AnalysisResult at = Analyze(screen, MakeItem(kImage, blurred, {{u"Tolerance", u"0"}}, score));
  ASSERT_TRUE(at.Found);
  EXPECT_EQ(at.Best.Score, score);
  const float above = std::nextafter(score, 2.0f);
  const AnalysisResult refused = Analyze(screen, MakeItem(kImage, blurred, {{u"Tolerance", u"0"}}, above));
  EXPECT_FALSE(refused.Found);
  EXPECT_TRUE(refused.Message.empty());
  // The default tolerance lowers the bar by 0.01.
  EXPECT_TRUE(Analyze(screen, MakeItem(kImage, blurred, {}, score + 0.005f)).Found);
  EXPECT_FALSE(Analyze(screen, MakeItem(kImage, blurred, {{u"Tolerance", u"-0.01"}}, score)).Found);
}

TEST(MatchImage, NormalAndFastSearchSuppressDifferentNeighbourhoods) {
  const cv::Mat target = NoiseImage(12, 10, 16);
  struct Case {
    int gap;  // columns between the two copies' left edges
    size_t normal, fast;
  };
  const Case cases[] = {{1, 1, 1}, {12, 2, 1}, {13, 2, 2}};
  for (const auto& c : cases) {
    cv::Mat screen = NoiseImage(120, 60, 17);
    Plant(screen, target, 40, 20);
    Plant(screen, target, 40 + c.gap, 20);
    EXPECT_EQ(Analyze(screen, MakeItem(kImage, target, {}, 0.5f)).Matches.size(), c.normal) << c.gap;
    EXPECT_EQ(Analyze(screen, MakeItem(kImage, target, {{u"SearchMode", u"Fast"}}, 0.5f)).Matches.size(), c.fast)
        << c.gap;
  }
}

TEST(MatchImage, AtMostOneHundredMatchesInTheOrderOfTheWholeGridSearch) {
  const cv::Mat tile = NoiseImage(8, 8, 18);
  cv::Mat screen;
  cv::repeat(tile, 15, 15, screen);  // 225 equal targets
  const Item item = MakeItem(kImage, tile);
  const AnalysisResult result = Analyze(screen, item);
  ASSERT_EQ(result.Matches.size(), 100u);

  cv::Mat grey_screen, grey_tile, scores;
  cv::cvtColor(screen, grey_screen, cv::COLOR_BGRA2GRAY);
  cv::cvtColor(tile, grey_tile, cv::COLOR_BGRA2GRAY);
  cv::matchTemplate(grey_screen, grey_tile, scores, cv::TM_CCOEFF_NORMED);
  const auto expected = MatchesByWholeGridSearch(scores, cv::Rect(0, 0, screen.cols, screen.rows), item,
                                                 MatchRules(item, MatchImageAcceptScore(0.95f, 0.01f), false,
                                                            SuppressionKind::kOverlap));
  EXPECT_EQ(result.Matches, expected);
}

// Scores and order equal a direct cv::matchTemplate on the same region, in grey and in colour,
// for every position down to a threshold that accepts everything.
TEST(MatchImage, ScoresAgreeWithDirectMatchTemplate) {
  const cv::Mat screen = NoiseImage(90, 70, 19);
  const WorkRect area{7, 9, 80, 66};
  const cv::Rect region(7, 9, 73, 57);
  const cv::Mat target = screen(cv::Rect(30, 30, 9, 7)).clone();
  for (bool colour : {false, true}) {
    for (bool fast : {false, true}) {
      const Item item = MakeItem(kImage, target,
                                 {{u"ColorMode", colour ? u"True" : u"False"},
                                  {u"SearchMode", fast ? u"Fast" : u"Normal"}},
                                 -2.0f);
      cv::Mat scores;
      if (colour) {
        cv::matchTemplate(screen(region), target, scores, cv::TM_CCOEFF_NORMED);
      } else {
        cv::Mat grey_region, grey_target;
        cv::cvtColor(screen(region), grey_region, cv::COLOR_BGRA2GRAY);
        cv::cvtColor(target, grey_target, cv::COLOR_BGRA2GRAY);
        cv::matchTemplate(grey_region, grey_target, scores, cv::TM_CCOEFF_NORMED);
      }
      const MatchRules rules(item, MatchImageAcceptScore(-2.0f, 0.01f), false,
                             fast ? SuppressionKind::kOverlapWide : SuppressionKind::kOverlap);
      const AnalysisResult result = Analyze(screen, item, &area);
      EXPECT_GT(result.Matches.size(), 10u);
      EXPECT_EQ(result.Matches, MatchesByWholeGridSearch(scores, region, item, rules)) << colour << fast;
    }
  }
}

TEST(MatchImage, TransparentTemplatePixelsLowerTheColourScoreOnly) {
  cv::Mat screen = NoiseImage(100, 80, 20);
  cv::Mat target = screen(cv::Rect(40, 30, 16, 16)).clone();
  for (int y = 0; y < 16; y += 2) {
    for (int x = 0; x < 16; ++x) target.at<cv::Vec4b>(y, x)[3] = 0;  // half the rows transparent
  }
  const float grey = Analyze(screen, MakeItem(kImage, target, {{u"Mode", u"Single"}}, -1.0f)).Best.Score;
  const float colour =
      Analyze(screen, MakeItem(kImage, target, {{u"Mode", u"Single"}, {u"ColorMode", u"True"}}, -1.0f)).Best.Score;
  EXPECT_GT(grey, 0.99f);
  EXPECT_LT(colour, grey);
}

}  // namespace
}  // namespace zor::test
