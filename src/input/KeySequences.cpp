#include "input/KeySequences.h"

#include "input/AsciiHidMap.h"
#include "input/HangulTyping.h"
#include "input/HidReports.h"

namespace zor {
namespace {

// The usages that open the input method's Hanja conversion.
constexpr uint8_t kHanjaFirstUsage = 0x4F;
constexpr uint8_t kHanjaSecondUsage = 0x90;

void AppendAsciiKey(char c, uint8_t modifier_state, std::vector<TimedKey>& keys) {
  const auto& table = AsciiHidMap();
  const auto found = table.find(c);
  if (found == table.end()) return;
  keys.push_back({static_cast<uint8_t>(found->second.Modifier | modifier_state), found->second.Usage, kKeyPressMs});
  keys.push_back({modifier_state, 0, kKeyGapMs});
}

}  // namespace

std::vector<TimedKey> ComboKeys(uint8_t modifiers, uint8_t usage) {
  return {{modifiers, usage, kComboHoldMs}, {0, 0, 0}};
}

std::vector<TimedKey> HangulToggleKeys(int pause_after_ms) {
  return {{hid::kModRightAlt, 0, kHangulToggleHoldMs}, {0, 0, pause_after_ms}};
}

std::vector<TimedKey> HanjaPressKeys() {
  return {{0, kHanjaFirstUsage, kHanjaStepMs}, {0, 0, kHanjaStepMs}, {0, kHanjaSecondUsage, 0}};
}

std::vector<TimedKey> TypingKeys(std::u16string_view text, uint8_t modifier_state) {
  std::vector<TimedKey> keys;
  for (const TypingStep& step : PlanTyping(text)) {
    if (step.kind == TypingStep::Kind::kSwitchLanguage) {
      const std::vector<TimedKey> toggle = HangulToggleKeys(step.pause_after_ms);
      keys.insert(keys.end(), toggle.begin(), toggle.end());
    } else {
      AppendAsciiKey(step.key, modifier_state, keys);
    }
  }
  return keys;
}

}  // namespace zor
