#pragma once
// The US-layout table that turns typed ASCII text into USB HID key strokes.
#include <cstdint>
#include <unordered_map>

namespace zor {

inline constexpr uint8_t kHidModifierNone = 0x00;
inline constexpr uint8_t kHidModifierLeftShift = 0x02;

struct HidKeyStroke {
  uint8_t Usage = 0;     // USB HID keyboard usage
  uint8_t Modifier = 0;  // kHidModifierNone or kHidModifierLeftShift

  friend bool operator==(const HidKeyStroke&, const HidKeyStroke&) = default;
};

// 98 characters: digits, letters, space, the US punctuation keys with and without Shift, line
// feed (Enter), tab and backspace. Carriage return is absent on purpose, so CR LF text presses
// Enter once per line. Characters not in the table are not typed. Built once, read-only after.
const std::unordered_map<char, HidKeyStroke>& AsciiHidMap();

}  // namespace zor
