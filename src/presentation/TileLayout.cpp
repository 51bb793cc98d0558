#include "presentation/TileLayout.h"

#include <algorithm>

namespace zor {

TileLayout LayoutTiles(size_t count, int32_t container_width, const TileMetrics& metrics) {
  const int32_t m = metrics.margin;
  const int32_t w = metrics.tile_width;
  const int32_t h = metrics.tile_height;
  TileLayout layout;
  if (count == 0) {
    layout.content_height = h + 2 * m;
    return layout;
  }
  layout.tiles.reserve(count);
  int32_t x = m;
  int32_t y = m;
  for (size_t i = 0; i < count; ++i) {
    if (x + m + w > container_width) {
      x = m;
      y += m + h;
    }
    layout.tiles.push_back({x, y});
    x += m + w;
  }
  layout.content_height = y + h + m;
  return layout;
}

int32_t MaxScrollPosition(int32_t content_height, int32_t page_height) {
  return std::max(0, content_height - page_height);
}

int32_t ClampScrollPosition(int32_t requested, int32_t content_height, int32_t page_height) {
  return std::clamp(requested, 0, MaxScrollPosition(content_height, page_height));
}

}  // namespace zor
