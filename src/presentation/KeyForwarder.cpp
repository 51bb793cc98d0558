#include "presentation/KeyForwarder.h"

#include <array>

#include "device/DeviceDriver.h"

namespace zor {
namespace {

// Sided modifiers and the generic code that stands for either side (what GetKeyState reports
// for VK_SHIFT when either Shift is down).
struct ModifierPair {
  uint8_t generic;
  uint8_t left;
  uint8_t right;
};
constexpr std::array<ModifierPair, 3> kModifierPairs{{
    {vk::kShift, vk::kLeftShift, vk::kRightShift},
    {vk::kControl, vk::kLeftControl, vk::kRightControl},
    {vk::kMenu, vk::kLeftMenu, vk::kRightMenu},
}};

}  // namespace

void KeyForwarder::Key(DeviceDriver* driver, VirtualKey key, bool press) {
  if (key.code == 0) return;
  if (IsLanguageToggleKey(key)) {
    if (!press && driver) driver->ToggleHangulMode();
    return;
  }
  if (press) extended_[key.code] = key.extended;
  SetHeld(key.code, press);
  if (driver) driver->KeyEvent({press ? KeyAction::Press : KeyAction::Release, key});
}

void KeyForwarder::ReleaseAll(DeviceDriver* driver) {
  for (size_t code = 0; code < held_.size(); ++code) {
    if (held_[code]) Key(driver, {static_cast<uint8_t>(code), extended_[code]}, false);
  }
}

void KeyForwarder::SetHeld(uint8_t code, bool down) {
  held_[code] = down;
  key_state_.SetKeyDown(code, down);
  for (const ModifierPair& pair : kModifierPairs) {
    if (code == pair.left || code == pair.right) key_state_.SetKeyDown(pair.generic, held_[pair.left] || held_[pair.right]);
  }
}

}  // namespace zor
