#include <gtest/gtest.h>

#include "input/KeyNames.h"

namespace zor {
namespace {

TEST(KeyNameFromVkTest, NamesTheAgentKnows) {
  const std::vector<std::pair<int64_t, std::string_view>> cases = {
      {65, "a"},          {77, "m"},          {90, "z"},         {48, "0"},       {57, "9"},
      {96, "0"},          {97, "1"},          {105, "9"},        {8, "backspace"}, {9, "tab"},
      {13, "enter"},      {16, "shift"},      {160, "shift"},    {161, "shift"},  {17, "control"},
      {162, "control"},   {163, "control"},   {18, "alt"},       {164, "alt"},    {165, "alt"},
      {20, "capslock"},   {27, "escape"},     {32, "space"},     {33, "pageup"},  {34, "pagedown"},
      {35, "end"},        {36, "home"},       {37, "left"},      {38, "up"},      {39, "right"},
      {40, "down"},       {42, "printscreen"}, {45, "insert"},   {46, "delete"},  {91, "command"},
      {92, "command"},    {112, "f1"},        {117, "f6"},       {123, "f12"},
  };
  for (const auto& [vk, name] : cases) EXPECT_EQ(KeyNameFromVk(vk), name) << "virtual key " << vk;
}

TEST(KeyNameFromVkTest, KeysWithoutANameGiveTheEmptyString) {
  // Print Screen, punctuation, keypad operators, F13, the IME's processed key, and codes
  // outside any key range, negative ones included.
  const std::vector<int64_t> unnamed = {44, 186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222, 106, 107,
                                        109, 110, 111, 124, 229, 0, 1, 64, 91 + 2, 255, 256, -1, -65, 65 + (1ll << 32)};
  for (int64_t vk : unnamed) EXPECT_EQ(KeyNameFromVk(vk), "") << "virtual key " << vk;
}

}  // namespace
}  // namespace zor
