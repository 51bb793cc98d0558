#include "presentation/PaneGeometry.h"

namespace zor {

PictureRect FitPicture(int32_t area_width, int32_t area_height, uint32_t picture_width,
                       uint32_t picture_height) {
  if (area_width <= 0 || area_height <= 0 || picture_width == 0 || picture_height == 0) return {};
  const double wc = area_width;
  const double hc = area_height;
  const double aspect = static_cast<double>(picture_width) / picture_height;
  if (wc / hc > aspect) {
    const double w = hc * aspect;
    return {(wc - w) / 2, 0, w, hc};
  }
  const double h = wc / aspect;
  return {0, (hc - h) / 2, wc, h};
}

int TitleTabAt(int32_t x, int32_t bar_width, size_t app_count) {
  if (app_count == 0) return -1;
  const int32_t tab_width = bar_width / static_cast<int32_t>(app_count);
  if (tab_width <= 0 || x < 0) return -1;
  const int32_t index = x / tab_width;
  return index < static_cast<int32_t>(app_count) ? index : -1;
}

}  // namespace zor
