#pragma once
// The keyboard of a simulated hardware device: turns the HID keyboard reports it receives into
// edits of the simulated screen's text field, with a US layout in English mode and the 2-set
// Korean layout after a tap of right Alt (the Korean/English key of Korean keyboards); Shift and
// Caps Lock change the case of letters as on a desktop. As in the field of the software agent's
// screen, Enter submits (clears) the field, Backspace erases, and typing stops at
// kSimTextFieldChars characters.
#include <cstdint>
#include <string>

#include "HangulComposer.h"

namespace zor::sim {

class SimKeyboard {
 public:
  // Applies one report (the whole keyboard state); true when the text changed.
  bool Apply(uint8_t modifiers, uint8_t usage);

  // What the text field shows: the committed text and the syllable being composed.
  std::u16string Text() const { return committed_ + composer_.Composing(); }
  bool Korean() const { return korean_; }

 private:
  bool Press(uint8_t usage, bool shifted);

  std::u16string committed_;
  HangulComposer composer_;
  bool korean_ = false;
  bool caps_lock_ = false;  // switched by each press of the Caps Lock key
  uint8_t last_usage_ = 0;
  // Right Alt went down and no key has been pressed since: its release switches the language.
  bool right_alt_tap_ = false;
};

}  // namespace zor::sim
