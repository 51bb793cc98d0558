#pragma once
// The simulated device's Korean input method: composes 2-set (dubeolsik) key strokes into
// Hangul syllables the way a desktop input method does, so that text typed through the
// device's keyboard reports shows up in the simulated screen's text field as the user meant it.
#include <string>

namespace zor::sim {

class HangulComposer {
 public:
  // Takes one Latin key of the 2-set layout (upper case: shifted). Returns false, changing
  // nothing, for a key that is no Korean letter; the caller commits and types it as is.
  bool Key(char key, std::u16string& committed);
  // Removes the last letter of the syllable being composed; false when nothing is composed.
  bool Backspace();
  // Ends the syllable being composed and appends it to `committed`.
  void Commit(std::u16string& committed);
  // The syllable (or single letter) being composed, empty when none.
  std::u16string Composing() const;

 private:
  bool Consonant(const std::string& key, std::u16string& committed);
  bool Vowel(const std::string& key, std::u16string& committed);

  // Key strings of the letters of the syllable being composed.
  std::string initial_;
  std::string medial_;
  std::string final_;
};

}  // namespace zor::sim
