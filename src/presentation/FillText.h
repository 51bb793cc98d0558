#pragma once
// Filling a translated text's placeholders in code without Qt.
#include <string>
#include <string_view>

namespace zor {

// `format` with "%1" replaced by `first` and "%2" by `second`, in one pass: a translation may put
// them in either order, and a value (an Item's name) that holds "%2" stays as it is.
inline std::u16string Fill(std::u16string_view format, const std::u16string& first, const std::u16string& second = {}) {
  std::u16string text;
  for (size_t i = 0; i < format.size(); ++i) {
    const bool placeholder = format[i] == u'%' && i + 1 < format.size();
    if (placeholder && format[i + 1] == u'1') {
      text += first;
      ++i;
    } else if (placeholder && format[i + 1] == u'2') {
      text += second;
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

}  // namespace zor
