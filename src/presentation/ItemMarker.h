#pragma once
// The on-screen rectangle of one Item in the scene editor, and the geometry of its eight resize
// handles. Plain data and functions: the view draws them, the edit model hit-tests them.
#include <array>
#include <cstdint>

namespace zor {

// A rectangle in remote-screen pixels; right and bottom are exclusive when it is normalised.
struct EditRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  // The Windows rule: left and top inside, right and bottom outside.
  bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  friend bool operator==(const EditRect&, const EditRect&) = default;
};

// The rectangle between two corners given in any order.
EditRect NormalisedRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

struct ItemMarker {
  // During a drag right may be less than left and bottom less than top.
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool Selected = false;
  int32_t ItemIndex = 0;  // the position of its Item in the Scene

  EditRect Normalised() const { return NormalisedRect(Left, Top, Right, Bottom); }
};

// Handles in hit-test order: 0 top-left, 1 top-middle, 2 top-right, 3 middle-left,
// 4 middle-right, 5 bottom-left, 6 bottom-middle, 7 bottom-right.
inline constexpr int kHandleCount = 8;
// Half the side of a handle square: handles are 10 x 10, centred on their point.
inline constexpr int32_t kHandleHalfSize = 5;

// The square of handle `handle` (0 .. 7) of `marker`.
EditRect HandleRect(const ItemMarker& marker, int handle);
std::array<EditRect, kHandleCount> HandleRects(const ItemMarker& marker);
// The first handle (in the order above) that contains the point, or -1.
int HitHandle(const ItemMarker& marker, int32_t x, int32_t y);

}  // namespace zor
