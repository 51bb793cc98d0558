#include "presentation/ItemMarker.h"

#include <algorithm>

namespace zor {

EditRect NormalisedRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

EditRect HandleRect(const ItemMarker& marker, int handle) {
  // Midpoints use integer division of the sums, corners the marker's own coordinates.
  const int32_t mid_x = (marker.Left + marker.Right) / 2;
  const int32_t mid_y = (marker.Top + marker.Bottom) / 2;
  static constexpr int kColumn[kHandleCount] = {0, 1, 2, 0, 2, 0, 1, 2};
  static constexpr int kRow[kHandleCount] = {0, 0, 0, 1, 1, 2, 2, 2};
  const int h = std::clamp(handle, 0, kHandleCount - 1);
  const int32_t xs[3] = {marker.Left, mid_x, marker.Right};
  const int32_t ys[3] = {marker.Top, mid_y, marker.Bottom};
  const int32_t x = xs[kColumn[h]];
  const int32_t y = ys[kRow[h]];
  return {x - kHandleHalfSize, y - kHandleHalfSize, x + kHandleHalfSize, y + kHandleHalfSize};
}

std::array<EditRect, kHandleCount> HandleRects(const ItemMarker& marker) {
  std::array<EditRect, kHandleCount> rects;
  for (int i = 0; i < kHandleCount; ++i) rects[i] = HandleRect(marker, i);
  return rects;
}

int HitHandle(const ItemMarker& marker, int32_t x, int32_t y) {
  for (int i = 0; i < kHandleCount; ++i) {
    if (HandleRect(marker, i).Contains(x, y)) return i;
  }
  return -1;
}

}  // namespace zor
