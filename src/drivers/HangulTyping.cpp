#include "drivers/HangulTyping.h"

#include <array>

namespace zor {
namespace {

// Syllable arithmetic of the Unicode Hangul block: 19 initials × 21 medials × 28 finals.
constexpr int kSyllablesPerInitial = 588;  // 21 × 28
constexpr int kFinalsPerMedial = 28;

constexpr std::array<std::string_view, 19> kInitialKeys{
    "r", "R", "s", "e", "E", "f", "a", "q", "Q", "t", "T", "d", "w", "W", "c", "z", "x", "v", "g"};

constexpr std::array<std::string_view, 21> kMedialKeys{
    "k", "o", "i", "O", "j", "p", "u", "P", "h", "hk", "ho",
    "hl", "y", "n", "nj", "np", "nl", "b", "m", "ml", "l"};

// Index 0 is "no final consonant".
constexpr std::array<std::string_view, 28> kFinalKeys{
    "",  "r", "R", "rt", "s", "sw", "sg", "e", "f", "fr", "fa", "fq", "ft", "fx",
    "fv", "fg", "a", "q", "qt", "t", "T", "d", "w", "c", "z", "x", "v", "g"};

}  // namespace

void AppendDubeolsikKeys(char16_t syllable, std::string& keys) {
  if (!IsHangulSyllable(syllable)) return;
  const int s = syllable - kFirstHangulSyllable;
  keys += kInitialKeys[s / kSyllablesPerInitial];
  keys += kMedialKeys[(s % kSyllablesPerInitial) / kFinalsPerMedial];
  keys += kFinalKeys[s % kFinalsPerMedial];
}

std::vector<TypingStep> PlanTyping(std::u16string_view text) {
  std::vector<TypingStep> steps;
  const auto switch_language = [&steps](int pause_ms) {
    steps.push_back({TypingStep::Kind::kSwitchLanguage, 0, pause_ms});
  };
  const auto type_keys = [&steps](std::string_view keys) {
    for (char c : keys) steps.push_back({TypingStep::Kind::kKey, c, 0});
  };
  bool korean = false;
  std::string syllable_keys;
  for (char16_t unit : text) {
    if (IsHangulSyllable(unit)) {
      if (!korean) {
        switch_language(kLanguageSwitchPauseMs);
        korean = true;
      }
      syllable_keys.clear();
      AppendDubeolsikKeys(unit, syllable_keys);
      type_keys(syllable_keys);
      continue;
    }
    if (korean && unit != u' ') {
      switch_language(kLanguageSwitchPauseMs);
      korean = false;
    }
    if (unit < 128) steps.push_back({TypingStep::Kind::kKey, static_cast<char>(unit), 0});
  }
  if (korean) switch_language(0);
  return steps;
}

}  // namespace zor
