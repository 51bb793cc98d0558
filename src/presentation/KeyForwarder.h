#pragma once
// The operator's keys on their way from the full control window to the device driver: each key
// becomes the key message a Windows window would have received for it (message number and the
// lParam bits the drivers look at), the keys held are kept in the operator's key-state table
// that the hardware driver reads its live modifiers from, and the Korean/English key toggles the
// remote input language instead of being typed. UI thread only.
#include <bitset>
#include <cstdint>

#include "input/KeyStateSource.h"

namespace zor {

class DeviceDriver;

// A key as the drivers take it: a Windows virtual-key code and whether the key is one of the
// extended keys (right Ctrl and Alt, the navigation block, the Windows keys, keypad Enter, ...).
struct VirtualKey {
  uint32_t code = 0;  // 0: a key without a virtual-key code
  bool extended = false;
  friend bool operator==(const VirtualKey&, const VirtualKey&) = default;
};

// Virtual-key codes the window treats specially.
namespace vk {
inline constexpr uint32_t kShift = 16;
inline constexpr uint32_t kControl = 17;
inline constexpr uint32_t kMenu = 18;  // Alt
inline constexpr uint32_t kHangul = 21;
inline constexpr uint32_t kLeftWin = 91;
inline constexpr uint32_t kRightWin = 92;
inline constexpr uint32_t kF10 = 121;
inline constexpr uint32_t kLeftShift = 160;
inline constexpr uint32_t kRightShift = 161;
inline constexpr uint32_t kLeftControl = 162;
inline constexpr uint32_t kRightControl = 163;
inline constexpr uint32_t kLeftMenu = 164;
inline constexpr uint32_t kRightMenu = 165;
}  // namespace vk

// Bits of a key message's lParam (bits 0..15 are the repeat count).
inline constexpr int64_t kKeyFlagExtended = int64_t{1} << 24;
inline constexpr int64_t kKeyFlagAltDown = int64_t{1} << 29;   // context code of system keys
inline constexpr int64_t kKeyFlagWasDown = int64_t{1} << 30;   // previous key state
inline constexpr int64_t kKeyFlagReleased = int64_t{1} << 31;  // transition state

struct KeyMessage {
  uint32_t message = 0;  // kWmKeyDown, kWmKeyUp, kWmSysKeyDown or kWmSysKeyUp
  int64_t flags = 0;     // the message's lParam
  friend bool operator==(const KeyMessage&, const KeyMessage&) = default;
};

// The Hangul key, and right Alt (extended), switch the remote input language on their release;
// they never reach the driver as keys.
inline bool IsLanguageToggleKey(VirtualKey key) {
  return key.code == vk::kHangul || (key.code == vk::kRightMenu && key.extended);
}

class KeyForwarder {
 public:
  explicit KeyForwarder(HeldKeys& key_state = OperatorKeyboard()) : key_state_(key_state) {}
  KeyForwarder(const KeyForwarder&) = delete;
  KeyForwarder& operator=(const KeyForwarder&) = delete;

  // A press (auto_repeat for the keyboard's repeated presses) or a release of `key`. The
  // key-state table is updated before the driver hears of the key, so that the driver's live
  // modifiers include a modifier being pressed and no longer include one being released.
  // `driver` may be null (a device type without a driver): the key state is still kept.
  void Key(DeviceDriver* driver, VirtualKey key, bool press, bool auto_repeat = false);

  // The window lost the keyboard (focus gone, window closing): every key it pressed is
  // released on the device and in the key-state table, so no modifier stays stuck down.
  void ReleaseAll(DeviceDriver* driver);

  bool IsHeld(uint32_t code) const { return code < held_.size() && held_[code]; }

 private:
  // The message a Windows window gets for this key with the keys held now (the key itself
  // counted as held): a system key while Alt is held without Ctrl, and for F10. `was_down`:
  // the key was already down before this press (a repeat).
  KeyMessage MessageFor(VirtualKey key, bool press, bool was_down) const;
  void SetHeld(uint32_t code, bool down);

  HeldKeys& key_state_;
  std::bitset<HeldKeys::kKeyCount> held_;  // keys this window pressed and has not released
  std::bitset<HeldKeys::kKeyCount> extended_;  // the extended flag each held key was pressed with
};

}  // namespace zor
