#pragma once
// The rule of the shell dialogs' text edits on OK or Save.
#include <cstddef>
#include <string>

namespace zor {

// Characters taken from a text edit, as the dialogs' edit buffers held them.
inline constexpr size_t kMaxEditChars = 255;

// An edit's text replaces the field, cut to kMaxEditChars; an edit left empty keeps the field.
inline void TakeEditText(const std::u16string& text, std::u16string& field) {
  if (!text.empty()) field = text.substr(0, kMaxEditChars);
}

}  // namespace zor
