#pragma once
// The input vocabulary between the windows, the automation and the drivers: keys named by their
// Windows virtual-key code (the devices' own protocols name keys that way), each stroke a press
// or a release, and mouse buttons by name.
#include <cstdint>
#include <string_view>

namespace zor {

// A key: its virtual-key code and whether it is one of the extended keys (right Ctrl and Alt,
// the navigation block, the Windows keys, keypad Enter, ...).
struct VirtualKey {
  uint8_t code = 0;  // 0: a key without a virtual-key code
  bool extended = false;
  friend bool operator==(const VirtualKey&, const VirtualKey&) = default;
};

enum class KeyAction : uint8_t { Press, Release };

struct KeyStroke {
  KeyAction action = KeyAction::Press;
  VirtualKey key;
  bool IsPress() const { return action == KeyAction::Press; }
  friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

enum class PointerButton : uint8_t { Left, Right };

// "left" or "right": the software agent's word for the button, and the command line's.
constexpr std::string_view PointerButtonName(PointerButton button) {
  return button == PointerButton::Left ? "left" : "right";
}

// Virtual-key codes that the windows and the drivers treat specially.
namespace vk {
inline constexpr uint8_t kShift = 16;
inline constexpr uint8_t kControl = 17;
inline constexpr uint8_t kMenu = 18;  // Alt
inline constexpr uint8_t kHangul = 21;
inline constexpr uint8_t kHanja = 25;
inline constexpr uint8_t kLeftWin = 91;
inline constexpr uint8_t kRightWin = 92;
inline constexpr uint8_t kLeftShift = 160;
inline constexpr uint8_t kRightShift = 161;
inline constexpr uint8_t kLeftControl = 162;
inline constexpr uint8_t kRightControl = 163;
inline constexpr uint8_t kLeftMenu = 164;
inline constexpr uint8_t kRightMenu = 165;
inline constexpr uint8_t kImeProcessed = 229;  // the input method consumed the key
}  // namespace vk

}  // namespace zor
