#pragma once
// Geometry of one client pane: the thumbnail's letterboxed picture and the title bar's App tabs.
#include <cstddef>
#include <cstdint>

namespace zor {

struct PictureRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// Height of the thumbnail for a pane `tile_width` wide: 16:9, integer division.
inline constexpr int32_t ThumbHeightFor(int32_t tile_width) { return tile_width * 9 / 16; }

// Height of a pane's title bar in pixels.
inline constexpr int32_t kTitleBarHeight = 36;

// Where a `picture_width` x `picture_height` picture is drawn in an `area_width` x
// `area_height` client area, keeping its aspect: full height and centred horizontally when the
// area is relatively wider than the picture, else full width and centred vertically. An empty
// picture or area gives an empty rectangle.
PictureRect FitPicture(int32_t area_width, int32_t area_height, uint32_t picture_width,
                       uint32_t picture_height);

// Index of the App tab under x in a title bar `bar_width` wide with `app_count` equal tabs
// (tab width = bar_width / app_count, integer division), or -1 when x hits no tab: no Apps, a
// tab width of 0, or x beyond the last whole tab.
int TitleTabAt(int32_t x, int32_t bar_width, size_t app_count);

// Command id a title bar tab sends to the main window.
inline constexpr int kTitleTabCommandBase = 10000;

}  // namespace zor
