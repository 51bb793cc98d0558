#include "model/PictureNeed.h"

#include <algorithm>

namespace zor {
namespace {

uint32_t CeilDiv(uint64_t numerator, uint64_t denominator) {
  return static_cast<uint32_t>((numerator + denominator - 1) / denominator);
}

}  // namespace

PictureNeed PictureNeed::Union(const PictureNeed& other) const {
  if (IsUnseen()) return other;
  if (other.IsUnseen()) return *this;
  if (IsFullSize() || other.IsFullSize()) return FullSize();
  // Fitting grows with either side of the view, so the larger sides cover both views.
  return FitInto(std::max(fit_width, other.fit_width), std::max(fit_height, other.fit_height));
}

PictureSize ShownSize(const PictureNeed& need, uint32_t screen_width, uint32_t screen_height) {
  if (need.IsFullSize() || screen_width == 0 || screen_height == 0) return {screen_width, screen_height};
  const uint64_t w = screen_width;
  const uint64_t h = screen_height;
  // The view is wider than the picture (fit_width / fit_height > w / h): the height fills it.
  if (uint64_t{need.fit_width} * h > uint64_t{need.fit_height} * w) {
    return {CeilDiv(uint64_t{need.fit_height} * w, h), need.fit_height};
  }
  return {need.fit_width, CeilDiv(uint64_t{need.fit_width} * h, w)};
}

}  // namespace zor
