// Searching a copy of the work area alone gives what searching the whole screen gives, for every
// engine and for work areas inside, across and outside the screen; and a search is made again
// exactly when the work area's pixels, its place or the Item changed.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "AnalysisFixtures.h"
#include "analysis/WorkAreaCopy.h"

namespace zor {
namespace {

using test::NoiseImage;
using test::Plant;

struct CopyCase {
  const char* name;
  int32_t engine;
  WorkRect area;
  bool copied;  // false: the area is the whole screen, nothing to copy
};

void PrintTo(const CopyCase& c, std::ostream* out) { *out << c.name; }

AnalysisFrame FrameOf(const cv::Mat& screen, WorkRect area) {
  return {area, screen.cols, screen.rows, {screen.data, size_t(screen.total() * screen.elemSize())}};
}

void ExpectSameResult(const AnalysisResult& actual, const AnalysisResult& expected) {
  EXPECT_EQ(actual.Found, expected.Found);
  EXPECT_EQ(actual.Message, expected.Message);
  EXPECT_EQ(actual.Best, expected.Best);
  EXPECT_EQ(actual.Matches, expected.Matches);
  EXPECT_EQ(actual.BestSeen, expected.BestSeen);
}

class WorkAreaCopyTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(WorkAreaCopyTest, FindsWhatTheWholeScreenSearchFindsInScreenPixels) {
  const CopyCase& c = GetParam();
  cv::Mat screen = NoiseImage(320, 200, 11);
  const cv::Mat target = NoiseImage(12, 10, 5);
  // One copy inside every partial area, one only in the whole screen, one across the areas' edge.
  Plant(screen, target, 70, 40);
  Plant(screen, target, 250, 150);
  Plant(screen, target, 115, 95);
  const Item item = test::MakeItem(c.engine, target, {}, 0.9f);
  const AnalysisFrame frame = FrameOf(screen, c.area);

  AnalysisResult whole;
  const bool whole_found = RunAnalysis(frame, item, whole);
  WorkAreaCopy copy;
  ASSERT_EQ(copy.CopyFrom(frame), c.copied);
  if (!c.copied) return;
  screen.setTo(cv::Scalar(0, 0, 0, 255));  // the copy must not read the screen any more
  AnalysisResult part;
  EXPECT_EQ(copy.Analyse(item, part), whole_found);
  ExpectSameResult(part, whole);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkAreaCopyTest,
    ::testing::Values(CopyCase{"ImageInside", kEngineImage, {50, 30, 130, 110}, true},
                      CopyCase{"PatternInside", kEnginePattern, {50, 30, 130, 110}, true},
                      CopyCase{"BinPatInside", kEngineBinPat, {50, 30, 130, 110}, true},
                      CopyCase{"ImageOverTheEdge", kEngineImage, {200, 120, 400, 300}, true},
                      CopyCase{"ImageTooSmallForTheTemplate", kEngineImage, {10, 10, 15, 15}, true},
                      CopyCase{"ImageOutsideIsTheWholeScreen", kEngineImage, {400, 300, 500, 400}, false},
                      CopyCase{"ImageEmptyIsTheWholeScreen", kEngineImage, {0, 0, 0, 0}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WorkAreaCopy, AShortPictureIsNotCopied) {
  const std::vector<uint8_t> pixels(100, 0);
  const AnalysisFrame frame{{0, 0, 4, 4}, 320, 200, pixels};
  WorkAreaCopy copy;
  EXPECT_FALSE(copy.CopyFrom(frame));
}

// What changes between two analyses of the same picture, and whether the second must search.
struct ChangeCase {
  const char* name;
  std::function<void(cv::Mat& screen, WorkRect& area, Item& item)> change;
  bool searches_again;
};

void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.name; }

class WorkAreaCopyChangeTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(WorkAreaCopyChangeTest, SearchesAgainOnlyWhenPixelsPlaceOrItemChanged) {
  const ChangeCase& c = GetParam();
  cv::Mat screen = NoiseImage(320, 200, 11);
  const cv::Mat target = NoiseImage(12, 10, 5);
  Plant(screen, target, 70, 40);
  WorkRect area{50, 30, 130, 110};
  Item item = test::MakeItem(kEngineImage, target, {}, 0.9f);
  const auto analyse = [&](WorkAreaCopy& copy, AnalysisResult& result) {
    ASSERT_TRUE(copy.CopyFrom(FrameOf(screen, area)));
    copy.Analyse(item, result);
  };
  WorkAreaCopy copy;
  AnalysisResult first;
  analyse(copy, first);
  ASSERT_TRUE(first.Found);

  c.change(screen, area, item);
  AnalysisResult again;
  analyse(copy, again);
  EXPECT_EQ(copy.Searches(), c.searches_again ? 2u : 1u);
  // Whether searched or given again, the result is a fresh search's.
  WorkAreaCopy fresh;
  AnalysisResult expected;
  analyse(fresh, expected);
  ExpectSameResult(again, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkAreaCopyChangeTest,
    ::testing::Values(
        ChangeCase{"Nothing", [](cv::Mat&, WorkRect&, Item&) {}, false},
        ChangeCase{"APixelOutsideTheArea", [](cv::Mat& s, WorkRect&, Item&) { s.at<cv::Vec4b>(5, 5)[0] ^= 0xFF; }, false},
        ChangeCase{"ARunTimeFieldTheSearchIgnores", [](cv::Mat&, WorkRect&, Item& i) { i.LastEvalMs = 99; }, false},
        ChangeCase{"APixelOfTheTarget", [](cv::Mat& s, WorkRect&, Item&) { s.at<cv::Vec4b>(45, 75)[1] ^= 0xFF; }, true},
        ChangeCase{"TheLastPixelOfTheArea", [](cv::Mat& s, WorkRect&, Item&) { s.at<cv::Vec4b>(109, 129)[2] ^= 0xFF; }, true},
        ChangeCase{"TheAreaMoved", [](cv::Mat&, WorkRect& a, Item&) { a.Left -= 1; }, true},
        ChangeCase{"TheThreshold", [](cv::Mat&, WorkRect&, Item& i) { i.Threshold = 1.5f; }, true},
        ChangeCase{"TheItemNumber", [](cv::Mat&, WorkRect&, Item& i) { i.Number += 1; }, true},
        ChangeCase{"TheTemplate", [](cv::Mat&, WorkRect&, Item& i) { i.Template.Pixels[0] ^= 0xFF; }, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zor
