// Tile layout of the clients container, scroll limits, and the pane's picture and tab geometry.
#include <gtest/gtest.h>

#include "presentation/PaneGeometry.h"
#include "presentation/TileLayout.h"

namespace zor {
namespace {

struct TileCase {
  const char* name;
  size_t count;
  int32_t width;
  std::vector<TilePoint> tiles;
  int32_t content_height;
};

TEST(LayoutTiles, RowsFollowTheContainerWidth) {
  const TileCase cases[] = {
      {"none", 0, 1920, {}, 320},
      {"four fit one row", 4, 1920, {{10, 10}, {420, 10}, {830, 10}, {1240, 10}}, 320},
      {"fifth starts row two", 5, 1920, {{10, 10}, {420, 10}, {830, 10}, {1240, 10}, {10, 320}}, 630},
      {"eight make two rows", 8, 1920,
       {{10, 10}, {420, 10}, {830, 10}, {1240, 10}, {10, 320}, {420, 320}, {830, 320}, {1240, 320}}, 630},
      {"exactly two tiles wide", 3, 830, {{10, 10}, {420, 10}, {10, 320}}, 630},
      {"one pixel short of two", 2, 829, {{10, 10}, {10, 320}}, 630},
      {"exactly one tile wide", 2, 420, {{10, 10}, {10, 320}}, 630},
      // Narrower than one tile: the first row stays empty and every pane has a row of its own.
      {"under one tile", 3, 419, {{10, 320}, {10, 630}, {10, 940}}, 1250},
      {"zero width", 1, 0, {{10, 320}}, 630},
  };
  for (const auto& c : cases) {
    const TileLayout layout = LayoutTiles(c.count, c.width, TileMetrics{});
    EXPECT_EQ(layout.tiles, c.tiles) << c.name;
    EXPECT_EQ(layout.content_height, c.content_height) << c.name;
  }
}

TEST(ScrollPosition, IsLimitedToTheContent) {
  struct {
    int32_t requested, content, page, expected;
  } const cases[] = {
      {-20, 1000, 400, 0},  {0, 1000, 400, 0},     {600, 1000, 400, 600},
      {620, 1000, 400, 600}, {9999, 1000, 400, 600}, {20, 300, 400, 0},  // content fits the page
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClampScrollPosition(c.requested, c.content, c.page), c.expected)
        << c.requested << " in " << c.content << "/" << c.page;
  }
}

TEST(FitPicture, LetterboxesKeepingTheAspect) {
  struct {
    int32_t wc, hc;
    uint32_t w, h;
    PictureRect expected;
  } const cases[] = {
      {400, 225, 1920, 1080, {0, 0, 400, 225}},    // same aspect fills exactly
      {400, 225, 1024, 768, {50, 0, 300, 225}},    // narrower picture: pillar boxes
      {400, 225, 800, 200, {0, 62.5, 400, 100}},   // wider picture: letter boxes
      {400, 225, 0, 1080, {}},                     // no picture yet
      {0, 225, 1920, 1080, {}},                    // hidden window
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitPicture(c.wc, c.hc, c.w, c.h), c.expected) << c.w << "x" << c.h;
  }
}

TEST(TitleTabAt, SplitsTheBarIntoWholeTabs) {
  struct {
    int32_t x, width;
    size_t apps;
    int expected;
  } const cases[] = {
      {0, 400, 3, 0},   {132, 400, 3, 0}, {133, 400, 3, 1}, {398, 400, 3, 2},
      {399, 400, 3, -1},  // 3 x 133 = 399: the last pixel belongs to no tab
      {10, 400, 0, -1},   // "No AppFiles"
      {0, 2, 3, -1},      // tab width 0
      {-5, 400, 2, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TitleTabAt(c.x, c.width, c.apps), c.expected) << c.x << " " << c.apps;
  }
  EXPECT_EQ(ThumbHeightFor(400), 225);
}

}  // namespace
}  // namespace zor
