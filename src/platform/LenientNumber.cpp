#include "platform/LenientNumber.h"

#include <limits>

namespace zor {

uint32_t ParseLeadingUnsigned(std::u16string_view text, uint32_t fallback) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') return fallback;
    ++i;
  }
  const size_t first_digit = i;
  uint64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + static_cast<uint64_t>(text[i] - u'0');
    if (value > std::numeric_limits<uint32_t>::max()) return fallback;
  }
  return i == first_digit ? fallback : static_cast<uint32_t>(value);
}

}  // namespace zor
