#pragma once
// The operator's keys on their way from the full control window to the device driver: each key
// becomes one press or release, the keys held are kept in the operator's key-state table that
// the hardware driver reads its live modifiers from, and the Korean/English key toggles the
// remote input language instead of being typed. UI thread only.
#include <bitset>
#include <cstdint>

#include "input/KeyStateSource.h"
#include "input/KeyStroke.h"

namespace zor {

class DeviceDriver;

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

  // A press (also each repeated press of a held key) or a release of `key`. The key-state table
  // is updated before the driver hears of the key, so that the driver's live modifiers include
  // a modifier being pressed and no longer include one being released. `driver` may be null (a
  // device type without a driver): the key state is still kept.
  void Key(DeviceDriver* driver, VirtualKey key, bool press);

  // The window lost the keyboard (focus gone, window closing): every key it pressed is
  // released on the device and in the key-state table, so no modifier stays stuck down.
  void ReleaseAll(DeviceDriver* driver);

 private:
  void SetHeld(uint8_t code, bool down);

  HeldKeys& key_state_;
  std::bitset<HeldKeys::kKeyCount> held_;      // keys this window pressed and has not released
  std::bitset<HeldKeys::kKeyCount> extended_;  // the extended flag each held key was pressed with
};

}  // namespace zor
