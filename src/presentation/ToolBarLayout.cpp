#include "presentation/ToolBarLayout.h"

namespace zor {

std::array<int32_t, 4> ToolBarButtonXs(int32_t frame_width) {
  std::array<int32_t, 4> xs{};
  int32_t x = frame_width - kToolBarRightInset;
  for (std::size_t i = xs.size(); i-- > 0;) {
    xs[i] = x;
    x -= kToolButtonSize + 1;
  }
  return xs;
}

}  // namespace zor
