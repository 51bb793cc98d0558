#pragma once
// The simulated desktop as it starts and again with the pointer resting on the OK button's
// centre. The pointer covers part of the button, so on the second picture every engine scores
// the button a little lower: below a strict threshold, close to it, and near the right place.
// Tests and benchmarks of near misses start from this pair.
#include <cstdint>
#include <vector>

#include "sim/SimScreen.h"

namespace zor::test {

struct PointedDesktop {
  std::vector<uint8_t> idle;     // BGRA, the pointer where the simulator starts it, off the button
  std::vector<uint8_t> pointed;  // BGRA, the pointer resting on the button's centre
  SimRect button;
};

inline PointedDesktop RenderPointedDesktop(int32_t width, int32_t height) {
  SimScreen screen(width, height);
  PointedDesktop desktop;
  desktop.button = screen.Layout().ok_button;
  screen.Render(desktop.idle);
  screen.MoveTo(desktop.button.CenterX(), desktop.button.CenterY());
  screen.Render(desktop.pointed);
  return desktop;
}

}  // namespace zor::test
