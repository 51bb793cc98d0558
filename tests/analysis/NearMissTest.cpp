// Every analysis reports its best position and score, also when that score is below the
// threshold. On the simulated desktop the pointer resting on the OK button lowers the button's
// score: each engine then finds nothing, as before, and says how close it came and where.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AnalysisFixtures.h"
#include "support/PointedDesktop.h"

namespace zor::test {
namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 360;
// Below the button's score on the picture it was cut from, above its score with the pointer on
// it, for every engine.
constexpr float kThreshold = 0.999f;
// How far the best position of a miss may lie from the button: the pointer covers part of the
// button, so a neighbouring position can correlate a little better.
constexpr int kNearPixels = 2;

struct Desktop {
  cv::Mat idle;
  cv::Mat pointed;
  SimRect button;
};

Desktop MakeDesktop() {
  PointedDesktop rendered = RenderPointedDesktop(kWidth, kHeight);
  const auto as_mat = [](std::vector<uint8_t>& bgra) { return cv::Mat(kHeight, kWidth, CV_8UC4, bgra.data()).clone(); };
  return {as_mat(rendered.idle), as_mat(rendered.pointed), rendered.button};
}

struct EngineCase {
  const char* name;
  int32_t type;
  ParamList params;
};

const EngineCase kEngines[] = {
    {"image, grey", 0, {}},
    {"image, colour", 0, {{u"ColorMode", u"True"}}},
    {"colour pattern", 1, {}},
    {"binarised pattern", 2, {}},
};

TEST(NearMiss, AMissReportsItsBestPositionNearTheTargetAndAHitStaysAsItWas) {
  const Desktop desktop = MakeDesktop();
  const SimRect& b = desktop.button;
  const cv::Mat button = desktop.idle(cv::Rect(b.x, b.y, b.w, b.h));
  for (const EngineCase& e : kEngines) {
    SCOPED_TRACE(e.name);
    const Item item = MakeItem(e.type, button, e.params, kThreshold);

    const AnalysisResult hit = Analyze(desktop.idle, item);
    ASSERT_TRUE(hit.Found);
    EXPECT_EQ(Corners(hit)[0], cv::Point(b.x, b.y));
    EXPECT_EQ(hit.Best, hit.Matches[0]);
    ASSERT_TRUE(hit.BestSeen.has_value());
    EXPECT_EQ(*hit.BestSeen, (ScoredPosition{hit.Best.Left, hit.Best.Top, b.w, b.h, hit.Best.Score}))
        << "a hit's best position is its best match";

    const AnalysisResult miss = Analyze(desktop.pointed, item);
    EXPECT_FALSE(miss.Found);
    EXPECT_TRUE(miss.Matches.empty());
    EXPECT_TRUE(miss.Message.empty());
    EXPECT_EQ(miss.Best, MatchRecord{}) << "the match record of a miss is unchanged";
    ASSERT_TRUE(miss.BestSeen.has_value());
    const ScoredPosition& nearest = *miss.BestSeen;
    EXPECT_LE(std::abs(nearest.Left - b.x), kNearPixels) << nearest.Left;
    EXPECT_LE(std::abs(nearest.Top - b.y), kNearPixels) << nearest.Top;
    EXPECT_EQ(cv::Size(nearest.Width, nearest.Height), cv::Size(b.w, b.h));
    EXPECT_LT(nearest.Score, kThreshold);
    EXPECT_LT(nearest.Score, hit.Best.Score);
    EXPECT_GT(nearest.Score, 0.0f) << "the pointer covers only part of the button";
  }
}

// Work-area offsets are added, as for matches, and the search of several steps (the multiple
// mode) keeps the first, highest position it saw.
TEST(NearMiss, TheBestPositionIsInScreenPixelsAndTheFirstOfSeveralMatches) {
  const Desktop desktop = MakeDesktop();
  const SimRect& b = desktop.button;
  const WorkRect area{b.x - 30, b.y - 20, b.x + b.w + 40, b.y + b.h + 10};
  const cv::Mat button = desktop.idle(cv::Rect(b.x, b.y, b.w, b.h));
  for (const EngineCase& e : kEngines) {
    SCOPED_TRACE(e.name);
    const AnalysisResult miss = Analyze(desktop.pointed, MakeItem(e.type, button, e.params, kThreshold), &area);
    ASSERT_TRUE(miss.BestSeen.has_value());
    EXPECT_LE(std::abs(miss.BestSeen->Left - b.x), kNearPixels);
    EXPECT_LE(std::abs(miss.BestSeen->Top - b.y), kNearPixels);

    // A threshold nothing stays below: every position is a match, the first is the best seen.
    const AnalysisResult all = Analyze(desktop.pointed, MakeItem(e.type, button, e.params, -1.0f), &area);
    ASSERT_GT(all.Matches.size(), 1u);
    ASSERT_TRUE(all.BestSeen.has_value());
    EXPECT_EQ(*all.BestSeen, *miss.BestSeen);
    EXPECT_EQ(cv::Point(all.BestSeen->Left, all.BestSeen->Top), Corners(all)[0]);
  }
}

}  // namespace
}  // namespace zor::test
