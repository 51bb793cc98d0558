// MatchBinPat: binarisation rules, fast search, and the fast scorer against the literal
// algorithm on hundreds of seeded random cases.
#include <array>
#include <iterator>
#include <random>

#include <gtest/gtest.h>

#include "AnalysisFixtures.h"
#include "LiteralBinPat.h"

namespace zor::test {
namespace {

constexpr int32_t kBinPat = 2;

cv::Mat Grey(int width, int height, int level) { return SolidImage(width, height, cv::Scalar(level, level, level, 255)); }

TEST(MatchBinPat, TemplateFailingTheColourBoxScoresByDarkScreenPixels) {
  // Every template pixel is outside the box, so all count as dark: an all-dark window scores 1.
  cv::Mat screen = Grey(40, 30, 250);
  screen(cv::Rect(10, 12, 6, 5)).setTo(cv::Scalar(10, 10, 10, 255));
  const Item item = MakeItem(kBinPat, Grey(6, 5, 200), {{u"MaxR", u"100"}, {u"Mode", u"Single"}});
  const AnalysisResult result = Analyze(screen, item);
  ASSERT_TRUE(result.Found);
  EXPECT_EQ(Corners(result)[0], cv::Point(10, 12));
  EXPECT_EQ(result.Best.Score, 1.0f);
}

TEST(MatchBinPat, BinThresholdZeroMakesEverythingBrightAnd256Dark) {
  cv::Mat screen = NoiseImage(30, 20, 41);
  const cv::Mat target = NoiseImage(5, 4, 42);
  for (const char16_t* level : {u"0", u"-7", u"256", u"1000"}) {
    const AnalysisResult result =
        Analyze(screen, MakeItem(kBinPat, target, {{u"BinThreshold", level}, {u"Mode", u"Single"}}));
    ASSERT_TRUE(result.Found);
    EXPECT_EQ(result.Best.Score, 1.0f);  // screen and template bits all equal
    EXPECT_EQ(Corners(result)[0], cv::Point(0, 0));  // so the first position wins
  }
}

TEST(MatchBinPat, TransparentPixelsCountAsDark) {
  cv::Mat target = Grey(4, 4, 255);
  SetAlpha(target, 0);
  cv::Mat screen = Grey(20, 10, 255);  // all bright: every position mismatches everywhere
  screen(cv::Rect(8, 3, 4, 2)).setTo(cv::Scalar(0, 0, 0, 255));
  const AnalysisResult result = Analyze(screen, MakeItem(kBinPat, target, {{u"Mode", u"Single"}}, 0.0f));
  ASSERT_TRUE(result.Found);
  EXPECT_EQ(Corners(result)[0], cv::Point(8, 1));  // the first window holding all 8 dark pixels
  EXPECT_EQ(result.Best.Score, 0.5f);
}

TEST(MatchBinPat, FastSearchTriesOnlyEvenOffsetsFromTheRegionCorner) {
  const cv::Mat target = NoiseImage(8, 8, 43);
  cv::Mat screen = Grey(60, 40, 0);
  Plant(screen, target, 21, 10);  // odd column from the region's left edge
  const AnalysisResult normal = Analyze(screen, MakeItem(kBinPat, target, {{u"Mode", u"Single"}}, 0.0f));
  EXPECT_EQ(Corners(normal)[0], cv::Point(21, 10));
  EXPECT_EQ(normal.Best.Score, 1.0f);
  const AnalysisResult fast =
      Analyze(screen, MakeItem(kBinPat, target, {{u"Mode", u"Single"}, {u"SearchMode", u"Fast"}}, 0.0f));
  EXPECT_EQ(fast.Best.Left % 2, 0);
  EXPECT_LT(fast.Best.Score, 1.0f);
  const WorkRect area{1, 0, 60, 40};  // now the target lies at an even offset
  const AnalysisResult shifted =
      Analyze(screen, MakeItem(kBinPat, target, {{u"Mode", u"Single"}, {u"SearchMode", u"Fast"}}, 0.0f), &area);
  EXPECT_EQ(Corners(shifted)[0], cv::Point(21, 10));
}

// Random small screens, templates (with transparent and off-box pixels), parameters and work
// areas: the engine must give exactly the literal algorithm's result, field for field.
TEST(MatchBinPat, EqualsTheLiteralAlgorithm) {
  std::mt19937 rng(6);
  const std::u16string modes[] = {u"Multi", u"Single", u"single", u""};
  const std::u16string levels[] = {u"0", u"40", u"80", u"128", u"160", u"200", u"256", u"-3", u"x"};
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    const int width = 1 + rng() % 48, height = 1 + rng() % 36;
    // Few grey levels and blocks of equal pixels give many ties and repeated shapes.
    cv::Mat screen(height, width, CV_8UC4);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int level = ((x / 3 + y / 2 + int(rng() % 3)) % 4) * 80;
        screen.at<cv::Vec4b>(y, x) = cv::Vec4b(uint8_t(level), uint8_t(rng() % 256), uint8_t(level), 255);
      }
    }
    const int tw = 1 + rng() % std::min(width, 70), th = 1 + rng() % std::min(height, 12);
    cv::Mat target(th, tw, CV_8UC4);
    cv::RNG(rng()).fill(target, cv::RNG::UNIFORM, cv::Scalar::all(0), cv::Scalar::all(256));
    for (int y = 0; y < th; ++y) {
      for (int x = 0; x < tw; ++x) {
        uint8_t& alpha = target.at<cv::Vec4b>(y, x)[3];
        if (alpha < 40) alpha = 0;  // some fully transparent pixels
      }
    }
    ParamList params = {{u"Mode", modes[rng() % 4]},
                        {u"SearchMode", rng() % 2 ? u"Fast" : u"Normal"},
                        {u"BinThreshold", levels[rng() % std::size(levels)]}};
    if (rng() % 3 == 0) params.push_back({u"MinR", u"60"});
    if (rng() % 3 == 0) params.push_back({u"MaxG", u"180"});
    const float threshold = std::array{-1.0f, 0.0f, 0.5f, 0.6f, 0.75f, 0.9f, 1.0f}[rng() % 7];
    const Item item = MakeItem(kBinPat, target, params, threshold);
    WorkRect area{int(rng() % 60) - 10, int(rng() % 40) - 10, int(rng() % 70) - 10, int(rng() % 50) - 10};
    const WorkRect* work_area = rng() % 4 == 0 ? nullptr : &area;

    AnalysisResult expected;
    const bool expected_found = LiteralBinPat(screen.data, width, height, work_area, item, expected);
    const AnalysisResult got = Analyze(screen, item, work_area);
    EXPECT_EQ(got.Found, expected_found);
    EXPECT_EQ(got.Message, expected.Message);
    EXPECT_EQ(got.Matches, expected.Matches);
    EXPECT_EQ(got.Best, expected.Best);
  }
}

}  // namespace
}  // namespace zor::test
