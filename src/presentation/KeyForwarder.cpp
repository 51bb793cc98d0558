#include "presentation/KeyForwarder.h"

#include <array>

#include "device/DeviceDriver.h"

namespace zor {
namespace {

// Every key message stands for one key stroke.
constexpr int64_t kRepeatCountOne = 1;

// Sided modifiers and the generic code that stands for either side (what GetKeyState reports
// for VK_SHIFT when either Shift is down).
struct ModifierPair {
  uint32_t generic;
  uint32_t left;
  uint32_t right;
};
constexpr std::array<ModifierPair, 3> kModifierPairs{{
    {vk::kShift, vk::kLeftShift, vk::kRightShift},
    {vk::kControl, vk::kLeftControl, vk::kRightControl},
    {vk::kMenu, vk::kLeftMenu, vk::kRightMenu},
}};

}  // namespace

void KeyForwarder::Key(DeviceDriver* driver, VirtualKey key, bool press, bool auto_repeat) {
  if (key.code == 0 || key.code >= held_.size()) return;
  if (IsLanguageToggleKey(key)) {
    if (!press && driver) driver->ToggleHangulMode();
    return;
  }
  const bool was_down = IsHeld(key.code) || auto_repeat;
  if (press) {
    SetHeld(key.code, true);
    extended_[key.code] = key.extended;
  }
  const KeyMessage message = MessageFor(key, press, was_down);
  if (!press) SetHeld(key.code, false);
  if (driver) driver->KeyEvent(message.message, key.code, message.flags);
}

void KeyForwarder::ReleaseAll(DeviceDriver* driver) {
  for (uint32_t code = 0; code < held_.size(); ++code) {
    if (held_[code]) Key(driver, {code, extended_[code]}, false);
  }
}

KeyMessage KeyForwarder::MessageFor(VirtualKey key, bool press, bool was_down) const {
  const bool alt = IsHeld(vk::kLeftMenu) || IsHeld(vk::kRightMenu);
  const bool ctrl = IsHeld(vk::kLeftControl) || IsHeld(vk::kRightControl);
  const bool system = (alt && !ctrl) || key.code == vk::kF10;
  KeyMessage m;
  m.flags = kRepeatCountOne;
  if (key.extended) m.flags |= kKeyFlagExtended;
  if (system && alt) m.flags |= kKeyFlagAltDown;
  if (press) {
    m.message = system ? kWmSysKeyDown : kWmKeyDown;
    if (was_down) m.flags |= kKeyFlagWasDown;
  } else {
    m.message = system ? kWmSysKeyUp : kWmKeyUp;
    m.flags |= kKeyFlagWasDown | kKeyFlagReleased;
  }
  return m;
}

void KeyForwarder::SetHeld(uint32_t code, bool down) {
  held_[code] = down;
  key_state_.SetKeyDown(code, down);
  for (const ModifierPair& pair : kModifierPairs) {
    if (code == pair.left || code == pair.right) key_state_.SetKeyDown(pair.generic, held_[pair.left] || held_[pair.right]);
  }
}

}  // namespace zor
