// Searching a copy of the work area alone gives what searching the whole screen gives, for every
// engine and for work areas inside, across and outside the screen.
#include <gtest/gtest.h>

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
  const AnalysisFrame frame{c.area, screen.cols, screen.rows,
                            {screen.data, size_t(screen.total() * screen.elemSize())}};

  AnalysisResult whole;
  const bool whole_found = RunAnalysis(frame, item, whole);
  WorkAreaCopy copy;
  ASSERT_EQ(copy.CopyFrom(frame), c.copied);
  if (!c.copied) return;
  screen.setTo(cv::Scalar(0, 0, 0, 255));  // the copy must not read the screen any more
  AnalysisResult part;
  EXPECT_EQ(copy.Analyse(item, part), whole_found);
  EXPECT_EQ(part.Found, whole.Found);
  EXPECT_EQ(part.Message, whole.Message);
  EXPECT_EQ(part.Best, whole.Best);
  EXPECT_EQ(part.Matches, whole.Matches);
  EXPECT_EQ(part.BestSeen, whole.BestSeen);
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

}  // namespace
}  // namespace zor
