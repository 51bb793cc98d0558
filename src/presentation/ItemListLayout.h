#pragma once
// Geometry and texts of the item list's rows: plain functions, tested without widgets.
#include <cstdint>
#include <string>

#include "model/Item.h"

namespace zor {

inline constexpr int32_t kItemRowHeight = 66;
inline constexpr int32_t kItemRowGap = 3;  // above each row, and the margin at the sides
inline constexpr int32_t kItemRowPitch = kItemRowHeight + kItemRowGap;
// The thumbnail box is a square of the row height; the template shows inside its 1-pixel frame.
inline constexpr int32_t kThumbBox = kItemRowHeight;
inline constexpr int32_t kThumbInner = kThumbBox - 2;
// Lines and notches of the scroll bar and the wheel move the list by this much.
inline constexpr int32_t kItemListScrollStep = 20;

// Top of row `row` in list coordinates, given the scroll position.
int32_t ItemRowTop(int32_t row, int32_t scroll_px);
// The scroll range's maximum: (66 + 3) per row plus the last gap.
int32_t ItemListScrollMax(int32_t rows);
// A scroll position kept within 0 .. maximum - page.
int32_t ClampItemListScroll(int32_t position, int32_t rows, int32_t page_px);
// The row under list point y (the 3-pixel gaps belong to no row), or -1.
int32_t ItemRowAt(int32_t y, int32_t scroll_px, int32_t rows);

// The part of a template shown in the thumbnail: centred in the inner square and clipped to it.
struct ThumbPlacement {
  int32_t dest_x = 0;  // offset inside the inner square
  int32_t dest_y = 0;
  int32_t src_x = 0;   // first template pixel shown
  int32_t src_y = 0;
  int32_t width = 0;   // pixels shown
  int32_t height = 0;
};
ThumbPlacement PlaceThumbnail(int32_t template_width, int32_t template_height);

// The row's texts. The templates are English source texts of the "ItemList" translation context;
// the GUI passes them translated (%1: the name; %1 and %2: width and height in pixels).
extern const char kInactiveRowFormat[];  // "%1 inactive"
extern const char kRowSizeFormat[];      // "width : %1 px ,  height : %2 px"
std::u16string ItemRowName(const Item& item, std::u16string_view inactive_format);  // the name alone when active
std::u16string ItemRowRectangle(const Item& item);                                 // "( l, t ) - ( r, b )"
std::u16string ItemRowSize(const Item& item, std::u16string_view size_format);

}  // namespace zor
