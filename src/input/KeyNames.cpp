#include "input/KeyNames.h"

#include <array>
#include <utility>

namespace zor {
namespace {

constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kDigits = "0123456789";
constexpr int64_t kVkA = 65, kVkZ = 90;
constexpr int64_t kVk0 = 48, kVk9 = 57;
constexpr int64_t kVkNumpad0 = 96, kVkNumpad9 = 105;
constexpr int64_t kVkF1 = 112, kVkF12 = 123;

constexpr std::array<std::string_view, 12> kFunctionKeys = {"f1", "f2", "f3", "f4",  "f5",  "f6",
                                                            "f7", "f8", "f9", "f10", "f11", "f12"};

// Named keys. The agent has one name for both sides of a modifier. 42 is the Print key code;
// Print Screen (44) has no name.
constexpr std::array<std::pair<int64_t, std::string_view>, 28> kNamedKeys = {{
    {8, "backspace"},  {9, "tab"},       {13, "enter"},    {16, "shift"},    {160, "shift"},
    {161, "shift"},    {17, "control"},  {162, "control"}, {163, "control"}, {18, "alt"},
    {164, "alt"},      {165, "alt"},     {20, "capslock"}, {27, "escape"},   {32, "space"},
    {33, "pageup"},    {34, "pagedown"}, {35, "end"},      {36, "home"},     {37, "left"},
    {38, "up"},        {39, "right"},    {40, "down"},     {42, "printscreen"}, {45, "insert"},
    {46, "delete"},    {91, "command"},  {92, "command"},
}};

}  // namespace

std::string_view KeyNameFromVk(int64_t virtual_key) {
  if (virtual_key >= kVkA && virtual_key <= kVkZ) return kLetters.substr(static_cast<size_t>(virtual_key - kVkA), 1);
  if (virtual_key >= kVk0 && virtual_key <= kVk9) return kDigits.substr(static_cast<size_t>(virtual_key - kVk0), 1);
  // The agent cannot tell keypad digits from the main digits.
  if (virtual_key >= kVkNumpad0 && virtual_key <= kVkNumpad9) {
    return kDigits.substr(static_cast<size_t>(virtual_key - kVkNumpad0), 1);
  }
  if (virtual_key >= kVkF1 && virtual_key <= kVkF12) return kFunctionKeys[static_cast<size_t>(virtual_key - kVkF1)];
  for (const auto& [code, name] : kNamedKeys) {
    if (code == virtual_key) return name;
  }
  return {};
}

}  // namespace zor
