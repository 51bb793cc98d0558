#include "input/HangulTyping.h"

namespace zor {

void AppendDubeolsikKeys(char16_t syllable, std::string& keys) {
  if (!IsHangulSyllable(syllable)) return;
  const int s = syllable - kFirstHangulSyllable;
  keys += kDubeolsikInitialKeys[s / kHangulSyllablesPerInitial];
  keys += kDubeolsikMedialKeys[(s % kHangulSyllablesPerInitial) / kHangulFinalsPerMedial];
  keys += kDubeolsikFinalKeys[s % kHangulFinalsPerMedial];
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
