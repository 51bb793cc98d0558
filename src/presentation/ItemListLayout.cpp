#include "presentation/ItemListLayout.h"

#include <algorithm>

#include "presentation/FillText.h"
#include "presentation/TranslatableText.h"

namespace zor {
namespace {

std::u16string Decimal(int32_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

// Where a span of `size` pixels starts inside `room`, and which of its pixels are shown.
void PlaceSpan(int32_t size, int32_t room, int32_t& dest, int32_t& src, int32_t& shown) {
  const int32_t offset = (room - size) / 2;
  dest = std::max(offset, 0);
  src = std::max(-offset, 0);
  shown = std::min(size, room);
}

}  // namespace

int32_t ItemRowTop(int32_t row, int32_t scroll_px) { return kItemRowGap + row * kItemRowPitch - scroll_px; }

int32_t ItemListScrollMax(int32_t rows) { return kItemRowPitch * rows + kItemRowGap; }

int32_t ClampItemListScroll(int32_t position, int32_t rows, int32_t page_px) {
  const int32_t last = std::max(0, ItemListScrollMax(rows) - page_px);
  return std::clamp(position, 0, last);
}

int32_t ItemRowAt(int32_t y, int32_t scroll_px, int32_t rows) {
  const int64_t at = static_cast<int64_t>(y) + scroll_px;
  for (int32_t row = 0; row < rows; ++row) {
    const int64_t top = ItemRowTop(row, 0);
    if (at >= top && at <= top + kItemRowHeight) return row;
  }
  return -1;
}

ThumbPlacement PlaceThumbnail(int32_t template_width, int32_t template_height) {
  ThumbPlacement place;
  if (template_width <= 0 || template_height <= 0) return place;
  PlaceSpan(template_width, kThumbInner, place.dest_x, place.src_x, place.width);
  PlaceSpan(template_height, kThumbInner, place.dest_y, place.src_y, place.height);
  return place;
}

const char kInactiveRowFormat[] = QT_TRANSLATE_NOOP("ItemList", "%1 inactive");
const char kRowSizeFormat[] = QT_TRANSLATE_NOOP("ItemList", "width : %1 px ,  height : %2 px");

std::u16string ItemRowName(const Item& item, std::u16string_view inactive_format) {
  return item.Active ? item.Name : Fill(inactive_format, item.Name);
}

std::u16string ItemRowRectangle(const Item& item) {
  return u"( " + Decimal(item.CaptureLeft) + u", " + Decimal(item.CaptureTop) + u" ) - ( " +
         Decimal(item.CaptureLeft + item.CaptureWidth) + u", " + Decimal(item.CaptureTop + item.CaptureHeight) + u" )";
}

std::u16string ItemRowSize(const Item& item, std::u16string_view size_format) {
  return Fill(size_format, Decimal(item.CaptureWidth), Decimal(item.CaptureHeight));
}

}  // namespace zor
