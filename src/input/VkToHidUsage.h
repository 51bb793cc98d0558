#pragma once
// Translation of Windows virtual-key codes, the key vocabulary of the drivers, to the USB HID
// keyboard usages and modifier bits that the hardware device takes.
#include <cstdint>

#include "input/KeyStateSource.h"

namespace zor {

struct HidKey {
  uint8_t usage = 0;     // HID keyboard usage id, 0 for none
  uint8_t modifier = 0;  // modifier bit the key stands for, 0 for none
};

// The device key for a virtual key. Keys the device table lacks (Delete, Home, the keypad, the
// generic Shift/Ctrl/Alt codes, ...) give usage 0 and no modifier.
HidKey VkToHidUsage(uint32_t virtual_key);

// The modifier byte of the keys held in `keys`: left and right Ctrl, Shift and Alt and the left
// Windows key. The right Windows key is not read (the device got it as a usage, never as 0x80).
uint8_t ModifierStateFromKeys(const IKeyStateSource& keys);

}  // namespace zor
