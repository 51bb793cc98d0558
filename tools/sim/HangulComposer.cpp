#include "HangulComposer.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "input/HangulTyping.h"

namespace zor::sim {
namespace {

// Compatibility jamo shown for an initial consonant or a vowel standing alone.
constexpr std::array<char16_t, 19> kInitialJamo{0x3131, 0x3132, 0x3134, 0x3137, 0x3138, 0x3139, 0x3141,
                                                0x3142, 0x3143, 0x3145, 0x3146, 0x3147, 0x3148, 0x3149,
                                                0x314A, 0x314B, 0x314C, 0x314D, 0x314E};
constexpr char16_t kFirstVowelJamo = 0x314F;

template <size_t N>
int IndexOf(const std::array<std::string_view, N>& table, std::string_view keys) {
  const auto found = std::find(table.begin(), table.end(), keys);
  return found == table.end() ? -1 : static_cast<int>(found - table.begin());
}

int InitialIndex(std::string_view keys) { return IndexOf(kDubeolsikInitialKeys, keys); }
int MedialIndex(std::string_view keys) { return IndexOf(kDubeolsikMedialKeys, keys); }
// 0 for no final; -1 for keys that are no final consonant.
int FinalIndex(std::string_view keys) { return IndexOf(kDubeolsikFinalKeys, keys); }

// A shifted key without a letter of its own types the unshifted letter, as on the layout.
std::string LetterKey(char key) {
  const std::string as_is(1, key);
  if (InitialIndex(as_is) >= 0 || MedialIndex(as_is) >= 0) return as_is;
  return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(key))));
}

}  // namespace

bool HangulComposer::Key(char key, std::u16string& committed) {
  if (!std::isalpha(static_cast<unsigned char>(key))) return false;
  const std::string letter = LetterKey(key);
  if (InitialIndex(letter) >= 0) return Consonant(letter, committed);
  return Vowel(letter, committed);
}

bool HangulComposer::Consonant(const std::string& key, std::u16string& committed) {
  if (!initial_.empty() && !medial_.empty()) {
    if (final_.empty() && FinalIndex(key) > 0) {
      final_ = key;
      return true;
    }
    if (!final_.empty() && final_.size() == 1 && FinalIndex(final_ + key) > 0) {
      final_ += key;
      return true;
    }
  }
  Commit(committed);
  initial_ = key;
  return true;
}

bool HangulComposer::Vowel(const std::string& key, std::u16string& committed) {
  if (!medial_.empty() && final_.empty() && MedialIndex(medial_ + key) >= 0) {
    medial_ += key;
    return true;
  }
  if (!initial_.empty() && medial_.empty()) {
    medial_ = key;
    return true;
  }
  // A final consonant followed by a vowel starts the next syllable; of a double final only
  // the second letter moves.
  std::string next_initial;
  if (!final_.empty()) {
    next_initial = final_.substr(final_.size() - 1);
    final_.erase(final_.size() - 1);
  }
  Commit(committed);
  initial_ = next_initial;
  medial_ = key;
  return true;
}

bool HangulComposer::Backspace() {
  for (std::string* part : {&final_, &medial_, &initial_}) {
    if (!part->empty()) {
      part->pop_back();
      return true;
    }
  }
  return false;
}

void HangulComposer::Commit(std::u16string& committed) {
  committed += Composing();
  initial_.clear();
  medial_.clear();
  final_.clear();
}

std::u16string HangulComposer::Composing() const {
  const int initial = InitialIndex(initial_);
  const int medial = MedialIndex(medial_);
  const int final = FinalIndex(final_);
  if (initial >= 0 && medial >= 0 && final >= 0) {
    return std::u16string(1, static_cast<char16_t>(kFirstHangulSyllable + initial * kHangulSyllablesPerInitial +
                                                   medial * kHangulFinalsPerMedial + final));
  }
  std::u16string letters;
  if (initial >= 0) letters += kInitialJamo[initial];
  if (medial >= 0) letters += static_cast<char16_t>(kFirstVowelJamo + medial);
  return letters;
}

}  // namespace zor::sim
