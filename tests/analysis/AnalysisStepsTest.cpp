// The steps every engine shares: result bookkeeping, work-area clipping, messages, suppression
// rectangles and the repeated best-position search.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "analysis/AnalysisSteps.h"
#include "analysis/BestPositionSearch.h"
#include "AnalysisFixtures.h"

namespace zor::test {
namespace {

TEST(AnalysisResult, AddKeepsTheEarlierRecordOnTiesAndClearResetsBest) {
  AnalysisResult result;
  MatchRecord a, b, c;
  a.Left = 1, a.Score = 0.5f;
  b.Left = 2, b.Score = 0.5f;
  c.Left = 3, c.Score = 0.75f;
  result.Add(a);
  result.Add(b);
  EXPECT_EQ(result.Best.Left, 1);
  result.Add(c);
  EXPECT_EQ(result.Best.Left, 3);
  EXPECT_TRUE(result.Found);
  EXPECT_EQ(result.Matches.size(), 3u);

  result.Message = u"x";
  result.BestSeen = ScoredPosition{3, 4, 5, 6, 0.75f};
  result.Clear();
  EXPECT_FALSE(result.Found);
  EXPECT_TRUE(result.Message.empty());
  EXPECT_TRUE(result.Matches.empty());
  EXPECT_EQ(result.Best, MatchRecord{});
  EXPECT_FALSE(result.BestSeen.has_value());
}

TEST(AnalysisSteps, WorkAreaIsClippedOrFallsBackToTheWholeImage) {
  struct Case {
    WorkRect area;
    cv::Rect expected;
  };
  const Case cases[] = {
      {{-10, -10, 50, 40}, {0, 0, 50, 40}},
      {{100, 100, 100, 300}, {0, 0, 1920, 1080}},      // empty: whole image
      {{1900, 1000, 2500, 1500}, {1900, 1000, 20, 80}},
      {{2000, 0, 2100, 50}, {0, 0, 1920, 1080}},       // wholly outside
      {{-50, -50, -1, -1}, {0, 0, 1920, 1080}},
      {{300, 200, 100, 400}, {0, 0, 1920, 1080}},      // right before left
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 1920, 1080}},
  };
  for (const auto& c : cases) EXPECT_EQ(ClipWorkArea(&c.area, 1920, 1080), c.expected);
  EXPECT_EQ(ClipWorkArea(nullptr, 640, 480), cv::Rect(0, 0, 640, 480));
}

TEST(AnalysisSteps, SuppressionRectanglesPerEngine) {
  const cv::Size grid(100, 80), templ(10, 6);
  struct Case {
    cv::Point at;
    SuppressionKind kind;
    cv::Rect expected;
  };
  const Case cases[] = {
      {{50, 40}, SuppressionKind::kOverlap, {41, 35, 19, 11}},
      {{50, 40}, SuppressionKind::kOverlapWide, {40, 34, 21, 13}},
      {{50, 40}, SuppressionKind::kHalfTemplate, {45, 37, 10, 6}},
      {{0, 0}, SuppressionKind::kOverlap, {0, 0, 10, 6}},
      {{99, 79}, SuppressionKind::kOverlapWide, {89, 73, 11, 7}},
      {{99, 79}, SuppressionKind::kHalfTemplate, {94, 76, 6, 4}},
  };
  for (const auto& c : cases) EXPECT_EQ(SuppressionRect(c.at, templ, grid, c.kind), c.expected);
  // A one-pixel template still masks the match itself.
  EXPECT_EQ(SuppressionRect({5, 5}, {1, 1}, grid, SuppressionKind::kHalfTemplate), cv::Rect(5, 5, 1, 1));
  EXPECT_EQ(SuppressionRect({5, 5}, {1, 4}, grid, SuppressionKind::kHalfTemplate), cv::Rect(5, 3, 1, 4));
}

// Random grids with ties, NaN entries and masked areas: the row-wise search must pick what one
// whole-grid cv::minMaxLoc picks, after every suppression.
TEST(BestPositionSearch, AgreesWithWholeGridMinMaxLoc) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 200; ++round) {
    const int cols = 1 + rng() % 40, rows = 1 + rng() % 30;
    cv::Mat scores(rows, cols, CV_32F);
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < cols; ++x) {
        const uint32_t kind = rng() % 10;
        scores.at<float>(y, x) = kind == 0 ? NAN : float(rng() % 5) / 4.0f;  // few values: many ties
      }
    }
    cv::Mat mask(rows, cols, CV_8U, cv::Scalar(1)), reference_mask = mask.clone();
    BestPositionSearch search(scores, mask);
    for (int step = 0; step < 30; ++step) {
      double best = 0;
      cv::Point at;
      cv::minMaxLoc(scores, nullptr, &best, nullptr, &at, reference_mask);
      const auto found = search.Find();
      if (at.x < 0) {
        EXPECT_FALSE(found.has_value());
        break;
      }
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(found->At, at);
      EXPECT_EQ(found->Score, best);
      const cv::Rect area(at.x - int(rng() % 3), at.y - int(rng() % 3), 1 + rng() % 4, 1 + rng() % 4);
      search.Suppress(area);
      reference_mask(area & cv::Rect(0, 0, cols, rows)).setTo(0);
    }
  }
}

TEST(RunAnalysis, UnknownEngineTypeFailsWithItsMessage) {
  for (int32_t type : {3, -1, 100}) {
    const cv::Mat screen = NoiseImage(40, 30, 1);
    const AnalysisResult result = Analyze(screen, MakeItem(type, screen(cv::Rect(0, 0, 8, 8))));
    EXPECT_FALSE(result.Found);
    EXPECT_EQ(result.Message, u"알 수 없는 엔진 타입 요청");
    EXPECT_FALSE(result.BestSeen.has_value()) << "nothing was scored";
  }
}

struct EngineTexts {
  int32_t type;
  std::u16string empty_template, small_work_area;
};
const EngineTexts kEngineTexts[] = {
    {0, u"이미지 데이터가 비어있습니다.", u"작업 영역(RcWork)이 템플릿 이미지보다 작습니다."},
    {1, u"패턴 이미지 데이터가 비어있습니다.", u"작업 영역이 패턴 이미지보다 작습니다."},
    {2, u"2진 패턴 이미지 데이터가 비어있습니다.", u"작업 영역이 2진 패턴 이미지보다 작습니다."},
};

TEST(RunAnalysis, EachEngineReportsAnEmptyOrDamagedTemplate) {
  const cv::Mat screen = NoiseImage(64, 48, 2);
  for (const auto& e : kEngineTexts) {
    Item empty = MakeItem(e.type, cv::Mat());
    Item zero_width = MakeItem(e.type, screen(cv::Rect(0, 0, 8, 8)));
    zero_width.Template.Width = 0;
    Item short_bytes = MakeItem(e.type, screen(cv::Rect(0, 0, 8, 8)));
    short_bytes.Template.Pixels.resize(8 * 8 * 4 - 1);  // a damaged file: fewer bytes than the size says
    Item huge = MakeItem(e.type, screen(cv::Rect(0, 0, 8, 8)));
    huge.Template.Width = huge.Template.Height = INT32_MAX;
    for (const Item* item : {&empty, &zero_width, &short_bytes, &huge}) {
      const AnalysisResult result = Analyze(screen, *item);
      EXPECT_FALSE(result.Found);
      EXPECT_EQ(result.Message, e.empty_template);
      EXPECT_TRUE(result.Matches.empty());
      EXPECT_FALSE(result.BestSeen.has_value()) << "nothing was scored";
    }
  }
}

// Too narrow or too low a work area, a screen smaller than the template, and frames whose bytes
// or size do not add up: each engine says the work area is smaller than its template.
TEST(RunAnalysis, EachEngineReportsAWorkAreaSmallerThanTheTemplate) {
  const cv::Mat screen = NoiseImage(64, 48, 3);
  const std::span<const uint8_t> bytes(screen.datastart, screen.dataend);
  const WorkRect narrow{0, 0, 19, 48}, low{0, 0, 64, 11};
  struct Case {
    const char* name;
    int32_t width, height;
    std::span<const uint8_t> pixels;
    const WorkRect* area;
  };
  const Case cases[] = {
      {"narrow work area", 64, 48, bytes, &narrow},
      {"low work area", 64, 48, bytes, &low},
      {"screen smaller than the template", 15, 15, bytes.first(15 * 15 * 4), nullptr},
      {"one byte short", 64, 48, bytes.first(bytes.size() - 1), nullptr},
      {"negative width", -64, 48, bytes, nullptr},
  };
  for (const auto& e : kEngineTexts) {
    const Item item = MakeItem(e.type, screen(cv::Rect(10, 10, 20, 12)));
    for (const Case& c : cases) {
      AnalysisFrame frame;
      frame.Width = c.width;
      frame.Height = c.height;
      frame.Pixels = c.pixels;
      if (c.area) frame.RcWork = *c.area;
      AnalysisResult result;
      EXPECT_FALSE(RunAnalysis(frame, item, result)) << c.name;
      EXPECT_EQ(result.Message, e.small_work_area) << c.name;
      EXPECT_FALSE(result.BestSeen.has_value()) << c.name;
    }
  }
}

TEST(RunAnalysis, TemplateAsLargeAsTheRegionGivesOneCandidate) {
  const cv::Mat screen = NoiseImage(64, 48, 5);
  const WorkRect area{10, 8, 30, 20};
  for (const auto& e : kEngineTexts) {
    const AnalysisResult result = Analyze(screen, MakeItem(e.type, screen(cv::Rect(10, 8, 20, 12)), {}, 0.9f), &area);
    EXPECT_TRUE(result.Message.empty());
    ASSERT_EQ(result.Matches.size(), 1u) << e.type;
    EXPECT_EQ(Corners(result)[0], cv::Point(10, 8));
  }
}

}  // namespace
}  // namespace zor::test
