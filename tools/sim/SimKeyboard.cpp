#include "SimKeyboard.h"

#include <array>

#include "input/AsciiHidMap.h"
#include "input/HidReports.h"
#include "sim/SimScreen.h"

namespace zor::sim {
namespace {

constexpr uint8_t kUsageBackspace = 0x2A;
constexpr uint8_t kUsageEnter = 0x28;
constexpr uint8_t kUsageCapsLock = 0x39;
constexpr uint8_t kUsageFirstLetter = 0x04;  // a
constexpr uint8_t kUsageLastLetter = 0x1D;   // z
constexpr uint8_t kShiftBits = hid::kModLeftShift | hid::kModRightShift;

// The character a usage types on the US layout, unshifted [0] and shifted [1]; 0 for none.
using UsageTable = std::array<std::array<char, 2>, 256>;

const UsageTable& CharactersByUsage() {
  static const UsageTable table = [] {
    UsageTable t{};
    for (const auto& [character, stroke] : AsciiHidMap()) {
      t[stroke.Usage][stroke.Modifier == kHidModifierLeftShift ? 1 : 0] = character;
    }
    return t;
  }();
  return table;
}

}  // namespace

bool SimKeyboard::Apply(uint8_t modifiers, uint8_t usage) {
  const bool right_alt = (modifiers & hid::kModRightAlt) != 0;
  bool changed = false;
  if (usage != 0 && usage != last_usage_) {
    right_alt_tap_ = false;
    changed = Press(usage, (modifiers & kShiftBits) != 0);
  }
  last_usage_ = usage;
  if (right_alt && usage == 0 && modifiers == hid::kModRightAlt) {
    right_alt_tap_ = true;
  } else if (!right_alt && right_alt_tap_) {
    right_alt_tap_ = false;
    composer_.Commit(committed_);
    korean_ = !korean_;
  }
  return changed;
}

bool SimKeyboard::Press(uint8_t usage, bool shifted) {
  if (usage == kUsageBackspace) {
    if (composer_.Backspace()) return true;
    if (committed_.empty()) return false;
    committed_.pop_back();
    return true;
  }
  if (usage == kUsageEnter) {
    committed_.clear();
    composer_ = HangulComposer();
    return true;
  }
  if (usage == kUsageCapsLock) {
    caps_lock_ = !caps_lock_;
    return false;
  }
  if (Text().size() >= kSimTextFieldChars) return false;
  // Caps Lock turns the case of letters only; Shift under it gives lower case again.
  const bool letter = usage >= kUsageFirstLetter && usage <= kUsageLastLetter;
  const char c = CharactersByUsage()[usage][shifted != (letter && caps_lock_) ? 1 : 0];
  if (c == 0) return false;
  // As on a Korean keyboard, Caps Lock types Latin capitals in Korean mode too.
  if (korean_ && !caps_lock_ && composer_.Key(c, committed_)) return true;
  composer_.Commit(committed_);
  committed_ += static_cast<char16_t>(c);
  return true;
}

}  // namespace zor::sim
