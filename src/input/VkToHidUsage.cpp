#include "input/VkToHidUsage.h"

#include <array>

#include "input/HidReports.h"

namespace zor {
namespace {

struct VkRow {
  uint32_t virtual_key;
  HidKey key;
};

// Single keys of the device table; letters, digits and function keys are ranges below.
constexpr std::array<VkRow, 29> kSingleKeys{{
    {48, {0x27, 0}},                  // 0
    {8, {0x2A, 0}},                   // Backspace
    {9, {0x2B, 0}},                   // Tab
    {13, {0x28, 0}},                  // Enter
    {27, {0x29, 0}},                  // Escape
    {32, {0x2C, 0}},                  // Space
    {37, {0x50, 0}},                  // Left
    {38, {0x52, 0}},                  // Up
    {39, {0x4F, 0}},                  // Right
    {40, {0x51, 0}},                  // Down
    {91, {0xE3, 0}},                  // left Windows, sent as a usage
    {92, {0xE7, 0}},                  // right Windows, sent as a usage
    {160, {0, hid::kModLeftShift}},
    {161, {0, hid::kModRightShift}},
    {162, {0, hid::kModLeftCtrl}},
    {163, {0, hid::kModRightCtrl}},
    {164, {0, hid::kModLeftAlt}},
    {165, {0, hid::kModRightAlt}},
    {186, {0x33, 0}},                 // ; :
    {187, {0x2E, 0}},                 // = +
    {188, {0x36, 0}},                 // , <
    {189, {0x2D, 0}},                 // - _
    {190, {0x37, 0}},                 // . >
    {191, {0x38, 0}},                 // / ?
    {192, {0x35, 0}},                 // ` ~
    {219, {0x2F, 0}},                 // [ {
    {220, {0x31, 0}},                 // \ |
    {221, {0x30, 0}},                 // ] }
    {222, {0x34, 0}},                 // ' "
}};

struct ModifierKey {
  uint32_t virtual_key;
  uint8_t bit;
};

constexpr std::array<ModifierKey, 7> kLiveModifiers{{
    {162, hid::kModLeftCtrl},
    {160, hid::kModLeftShift},
    {164, hid::kModLeftAlt},
    {91, hid::kModLeftGui},
    {163, hid::kModRightCtrl},
    {161, hid::kModRightShift},
    {165, hid::kModRightAlt},
}};

}  // namespace

HidKey VkToHidUsage(uint32_t vk) {
  if (vk >= 'A' && vk <= 'Z') return {static_cast<uint8_t>(vk - 61), 0};
  if (vk >= '1' && vk <= '9') return {static_cast<uint8_t>(vk - 19), 0};
  if (vk >= 112 && vk <= 123) return {static_cast<uint8_t>(0x3A + (vk - 112)), 0};  // F1..F12
  for (const VkRow& row : kSingleKeys) {
    if (row.virtual_key == vk) return row.key;
  }
  return {};
}

uint8_t ModifierStateFromKeys(const IKeyStateSource& keys) {
  uint8_t state = 0;
  for (const ModifierKey& m : kLiveModifiers) {
    if (keys.IsKeyDown(m.virtual_key)) state |= m.bit;
  }
  return state;
}

}  // namespace zor
