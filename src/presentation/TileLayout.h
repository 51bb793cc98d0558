#pragma once
// Layout arithmetic of the clients container: panes in rows of equal tiles, scrolled vertically.
// Plain functions so that the GUI and the tests share one rule.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zor {

struct TilePoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const TilePoint&, const TilePoint&) = default;
};

struct TileMetrics {
  int32_t margin = 10;
  int32_t tile_width = 400;
  int32_t tile_height = 300;
};
// The device panes' tiles: 400 x 300 with 10 pixels around each.
inline constexpr TileMetrics kPaneTiles{};

struct TileLayout {
  std::vector<TilePoint> tiles;  // top-left corner of each pane, in content coordinates
  int32_t content_height = 0;    // the scroll range
};

// Places `count` panes left to right in a container `container_width` pixels wide. The row test
// runs before every pane, the first included, so a container narrower than one tile plus two
// margins puts each pane in a row of its own below an empty first row.
TileLayout LayoutTiles(size_t count, int32_t container_width, const TileMetrics& metrics);

// Largest scroll position that still shows a full page: content height minus page, never below 0.
int32_t MaxScrollPosition(int32_t content_height, int32_t page_height);

// A requested scroll position limited to 0 .. MaxScrollPosition.
int32_t ClampScrollPosition(int32_t requested, int32_t content_height, int32_t page_height);

// Pixels moved by one line step of the container's scroll bar.
inline constexpr int32_t kScrollLinePixels = 20;

}  // namespace zor
