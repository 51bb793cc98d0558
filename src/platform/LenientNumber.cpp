#include "platform/LenientNumber.h"

#include <charconv>
#include <limits>
#include <string>

namespace zor {
namespace {

// The white space of the C library's isspace in the "C" locale.
bool IsCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

std::u16string_view SkipSpace(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  return text.substr(i);
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<int32_t> ParseLenientInt(std::u16string_view text) {
  text = SkipSpace(text);
  bool negative = false;
  if (!text.empty() && (text[0] == u'+' || text[0] == u'-')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  if (text.empty() || !IsDigit(text[0])) return std::nullopt;
  // Accumulated as a magnitude; one past INT32_MAX is still legal for a negative number.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - u'0');
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::optional<float> ParseLenientFloat(std::u16string_view text) {
  text = SkipSpace(text);
  // from_chars takes no '+' and reads the C locale's '.', whatever locale the GUI has set.
  if (!text.empty() && text[0] == u'+') {
    text.remove_prefix(1);
    if (!text.empty() && text[0] == u'-') return std::nullopt;
  }
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7F) break;  // no number continues past a non-ASCII character
    ascii.push_back(static_cast<char>(c));
  }
  float value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error != std::errc() || end == ascii.data()) return std::nullopt;
  return value;
}

}  // namespace zor
