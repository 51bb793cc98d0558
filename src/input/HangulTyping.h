#pragma once
// How a text is typed on a remote keyboard whose input method uses the Korean 2-set
// (dubeolsik) layout: each Hangul syllable becomes the Latin keys of its letters, and the input
// method is switched to Korean before a run of syllables and back to English after it.
// Pure functions: KeySequences turns the plan into timed key reports.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zor {

inline constexpr char16_t kFirstHangulSyllable = 0xAC00;
inline constexpr char16_t kLastHangulSyllable = 0xD7A3;

inline bool IsHangulSyllable(char16_t unit) {
  return unit >= kFirstHangulSyllable && unit <= kLastHangulSyllable;
}

// Syllable arithmetic of the Unicode Hangul block: 19 initials x 21 medials x 28 finals.
inline constexpr int kHangulSyllablesPerInitial = 588;  // 21 x 28
inline constexpr int kHangulFinalsPerMedial = 28;

// The 2-set keys of each letter by its index in that arithmetic; upper case is shifted.
inline constexpr std::array<std::string_view, 19> kDubeolsikInitialKeys{
    "r", "R", "s", "e", "E", "f", "a", "q", "Q", "t", "T", "d", "w", "W", "c", "z", "x", "v", "g"};
inline constexpr std::array<std::string_view, 21> kDubeolsikMedialKeys{
    "k", "o", "i", "O", "j", "p", "u", "P", "h", "hk", "ho",
    "hl", "y", "n", "nj", "np", "nl", "b", "m", "ml", "l"};
// Index 0 is "no final consonant".
inline constexpr std::array<std::string_view, 28> kDubeolsikFinalKeys{
    "",  "r", "R", "rt", "s", "sw", "sg", "e", "f", "fr", "fa", "fq", "ft", "fx",
    "fv", "fg", "a", "q", "qt", "t", "T", "d", "w", "c", "z", "x", "v", "g"};

// Appends the 2-set keys of one precomposed syllable: initial, medial, then final consonant
// keys; upper-case letters are the shifted keys. Nothing for a unit that is not a syllable.
void AppendDubeolsikKeys(char16_t syllable, std::string& keys);

struct TypingStep {
  enum class Kind { kSwitchLanguage, kKey };
  Kind kind = Kind::kKey;
  char key = 0;           // kKey: the ASCII character to type
  int pause_after_ms = 0;  // kSwitchLanguage: wait before the next step
};

// Pause after a switch of the input method inside a text, so that the switch has taken
// effect before the next key arrives.
inline constexpr int kLanguageSwitchPauseMs = 20;

// The steps that type `text`, which is assumed to start in English mode and is left in it:
// a switch before the first syllable of a run, spaces typed without leaving Korean, a switch
// back before any other character, and a final switch when the text ends in Korean. Units
// from 128 up that are not syllables (compatibility jamo, Hanja, symbols) are skipped; ASCII
// characters go through unfiltered, so the caller decides which ones it can type.
std::vector<TypingStep> PlanTyping(std::u16string_view text);

}  // namespace zor
