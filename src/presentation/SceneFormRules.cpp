#include "presentation/SceneFormRules.h"

#include <charconv>
#include <iterator>

#include "automation/ItemScript.h"
#include "platform/LenientNumber.h"

namespace zor {
namespace {

bool IsParamSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view TrimParam(std::u16string_view text) {
  while (!text.empty() && IsParamSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsParamSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The white space that the C library's number conversions skip.
bool IsCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Value of `c` as a digit, or 99 when it is none.
int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

std::u16string Widen(std::string_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

std::u16string FormName(std::u16string_view text) {
  return std::u16string(text.substr(0, kMaxFormNameChars));
}

std::vector<ItemParam> ParseParamsText(std::u16string_view text) {
  std::vector<ItemParam> params;
  for (const std::u16string_view line : SplitScriptLines(text)) {
    const size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    const std::u16string_view key = TrimParam(line.substr(0, equals));
    if (key.empty()) continue;
    params.push_back({std::u16string(key), std::u16string(TrimParam(line.substr(equals + 1)))});
  }
  return params;
}

std::u16string FormatParamsText(const std::vector<ItemParam>& params) {
  std::u16string text;
  for (const ItemParam& param : params) text.append(param.Key).append(u"=").append(param.Value).append(u"\r\n");
  return text;
}

uint32_t ParseColourText(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  int base = 10;
  if (i < text.size() && text[i] == u'0') {
    const bool hex_prefix = i + 2 < text.size() && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
                            DigitValue(text[i + 2]) < 16;
    if (hex_prefix) {
      base = 16;
      i += 2;
    } else {
      base = 8;
    }
  }
  uint64_t value = 0;
  constexpr uint64_t kMax = 0xFFFFFFFFu;
  for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(text[i]));
    if (value > kMax) return 0xFFFFFFFFu;  // out of range: the conversion's largest value
  }
  const auto colour = static_cast<uint32_t>(value);
  return negative ? static_cast<uint32_t>(0u - colour) : colour;
}

std::u16string FormatColourText(uint32_t colour) {
  constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";
  std::u16string text = u"0x";
  for (int shift = 28; shift >= 0; shift -= 4) text.push_back(kHexDigits[(colour >> shift) & 0xFu]);
  return text;
}

std::u16string ToBoxText(std::u16string_view stored) {
  std::u16string shown;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == u'\r' && i + 1 < stored.size() && stored[i + 1] == u'\n') continue;
    shown.push_back(stored[i]);
  }
  return shown;
}

std::u16string FromBoxText(std::u16string_view shown) {
  std::u16string stored;
  for (char16_t c : shown) {
    if (c == u'\n') stored.push_back(u'\r');
    stored.push_back(c);
  }
  return stored;
}

float ParseThresholdText(std::u16string_view text) { return ParseLenientFloat(text).value_or(0.0f); }

std::u16string FormatThresholdText(float threshold) {
  // to_chars writes the C locale's notation whatever locale the GUI runs under (Qt adopts the
  // environment's LC_NUMERIC, where printf would write "0,95" and reading it back give 0).
  // Fixed notation of the largest float is 39 digits and a point.
  char text[64];
  auto written = std::to_chars(std::begin(text), std::end(text), threshold, std::chars_format::fixed, 2);
  if (written.ec != std::errc() || ParseThresholdText(Widen({text, written.ptr})) != threshold) {
    written = std::to_chars(std::begin(text), std::end(text), threshold, std::chars_format::fixed);
  }
  return Widen({text, written.ptr});
}

}  // namespace zor
