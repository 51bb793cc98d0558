#pragma once
// One action produced by an Item's script when its target was found; executed by the runner.
#include <cstdint>
#include <string>

#include "model/ActionCode.h"

namespace zor {

struct ItemAction {
  ActionCode Code = ActionCode::None;
  // Remote screen pixels: the point of clicks and moves, the start of drags.
  int32_t X = 0;
  int32_t Y = 0;
  // Remote screen pixels: the end point of drags (absolute for both drag codes).
  int32_t X2 = 0;
  int32_t Y2 = 0;
  uint8_t KeyUsage = 0;     // Key: USB HID keyboard usage
  uint8_t KeyModifier = 0;  // Key: USB HID modifier byte (bit 0 left Ctrl, 1 left Shift, ...)
  std::u16string Text;      // Input family: the text to type

  friend bool operator==(const ItemAction&, const ItemAction&) = default;
};

}  // namespace zor
