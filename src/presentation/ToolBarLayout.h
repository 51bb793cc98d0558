#pragma once
// Positions of the top frame's four icon buttons, laid out from the right edge inward.
#include <array>
#include <cstddef>
#include <cstdint>

namespace zor {

// Command ids of the top frame buttons, in the order of their x positions (left to right).
inline constexpr std::array<int, 4> kToolBarCommands = {1100, 1101, 1102, 1103};

inline constexpr int32_t kTopBarHeight = 40;    // the grey bar across the main window
inline constexpr int32_t kToolButtonSize = 36;  // the icon buttons are square
inline constexpr int32_t kToolButtonY = 2;
// Distance of the rightmost button's left edge from the frame's right edge.
inline constexpr int32_t kToolBarRightInset = 40;

// x of each button of kToolBarCommands in a frame `frame_width` wide: the last at
// frame_width - 40, each other one button width and one pixel further left.
std::array<int32_t, 4> ToolBarButtonXs(int32_t frame_width);

}  // namespace zor
