#include "input/AsciiHidMap.h"

#include <string_view>

namespace zor {
namespace {

// USB HID keyboard usages (US layout).
constexpr uint8_t kUsageA = 0x04;
constexpr uint8_t kUsage1 = 0x1E;
constexpr uint8_t kUsageEnter = 0x28;
constexpr uint8_t kUsageBackspace = 0x2A;
constexpr uint8_t kUsageTab = 0x2B;
constexpr uint8_t kUsageSpace = 0x2C;

// Punctuation keys from 0x2D on: the character without Shift, then with it. 0x32 (non-US '#')
// is not on a US keyboard and is skipped.
struct PunctuationKey {
  uint8_t usage;
  char plain;
  char shifted;
};
constexpr PunctuationKey kPunctuation[] = {
    {0x2D, '-', '_'},  {0x2E, '=', '+'}, {0x2F, '[', '{'},  {0x30, ']', '}'},
    {0x31, '\\', '|'}, {0x33, ';', ':'}, {0x34, '\'', '"'}, {0x35, '`', '~'},
    {0x36, ',', '<'},  {0x37, '.', '>'}, {0x38, '/', '?'},
};

std::unordered_map<char, HidKeyStroke> BuildMap() {
  std::unordered_map<char, HidKeyStroke> map;
  constexpr std::string_view kDigits = "1234567890";
  constexpr std::string_view kShiftedDigits = "!@#$%^&*()";
  for (size_t i = 0; i < kDigits.size(); ++i) {
    const auto usage = static_cast<uint8_t>(kUsage1 + i);
    map[kDigits[i]] = {usage, kHidModifierNone};
    map[kShiftedDigits[i]] = {usage, kHidModifierLeftShift};
  }
  for (int i = 0; i < 26; ++i) {
    const auto usage = static_cast<uint8_t>(kUsageA + i);
    map[static_cast<char>('a' + i)] = {usage, kHidModifierNone};
    map[static_cast<char>('A' + i)] = {usage, kHidModifierLeftShift};
  }
  for (const auto& key : kPunctuation) {
    map[key.plain] = {key.usage, kHidModifierNone};
    map[key.shifted] = {key.usage, kHidModifierLeftShift};
  }
  map[' '] = {kUsageSpace, kHidModifierNone};
  map['\n'] = {kUsageEnter, kHidModifierNone};
  map['\t'] = {kUsageTab, kHidModifierNone};
  map['\b'] = {kUsageBackspace, kHidModifierNone};
  return map;
}

}  // namespace

const std::unordered_map<char, HidKeyStroke>& AsciiHidMap() {
  static const std::unordered_map<char, HidKeyStroke> map = BuildMap();
  return map;
}

}  // namespace zor
