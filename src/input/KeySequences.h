#pragma once
// The timed key sequences of the hardware device: a key combination, the Korean/English switch,
// the Hanja key and typed text, each as the keyboard reports to send and how long the device
// must see each one before the next. Pure functions: the driver hands the plan to its report
// queue, which keeps the pauses on the input channel's own thread.
#include <cstdint>
#include <string_view>
#include <vector>

namespace zor {

// One keyboard report of a sequence: the whole keyboard state (modifier bits and the usage of
// the pressed key, 0 for none), and the pause after it before the next report may follow.
struct TimedKey {
  uint8_t modifiers = 0;
  uint8_t usage = 0;
  int pause_after_ms = 0;
  friend bool operator==(const TimedKey&, const TimedKey&) = default;
};

// Key timing the device's keyboard input needs to see every press and release.
inline constexpr int kKeyPressMs = 15;            // a typed character held down
inline constexpr int kKeyGapMs = 10;              // after its release
inline constexpr int kComboHoldMs = 20;           // a key combination held down
inline constexpr int kHangulToggleHoldMs = 30;    // right Alt held to switch the input language
inline constexpr int kHanjaStepMs = 5;            // between the steps of the Hanja key

// `modifiers` with `usage` held kComboHoldMs, then everything released.
std::vector<TimedKey> ComboKeys(uint8_t modifiers, uint8_t usage);

// Right Alt tapped, which the remote input method takes as its Korean/English switch;
// `pause_after_ms` after the release.
std::vector<TimedKey> HangulToggleKeys(int pause_after_ms = 0);

// The press of the Hanja key: the device has no such key, so it gets the keys that open the
// input method's Hanja conversion instead. Its release is an ordinary empty report.
std::vector<TimedKey> HanjaPressKeys();

// `text` typed on a remote keyboard whose input method uses the Korean 2-set layout and starts
// in English mode (see PlanTyping): each ASCII character of AsciiHidMap pressed kKeyPressMs
// with its own modifier and `modifier_state` (the modifiers held when typing began), released
// to `modifier_state`, then kKeyGapMs; characters without a key are skipped.
std::vector<TimedKey> TypingKeys(std::u16string_view text, uint8_t modifier_state);

}  // namespace zor
