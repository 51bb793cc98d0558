// Report layouts, key translation and the typing plan, without a device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/HangulTyping.h"
#include "input/HidReports.h"
#include "input/VkToHidUsage.h"

namespace zor {
namespace {

TEST(HidReports, ByteLayouts) {
  EXPECT_EQ(hid::MakeMouseReport(0x02, 0x1234, 0x7FFF, -1),
            (hid::MouseReport{2, 0x02, 0x34, 0x12, 0xFF, 0x7F, 0xFF}));
  EXPECT_EQ(hid::MakeMouseReport(0, 0, 0, 1), (hid::MouseReport{2, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(hid::MakeKeyboardReport(0x42, 0x04), (hid::KeyboardReport{1, 0x42, 0, 0x04, 0, 0, 0, 0, 0}));

  hid::DecodedReport r;
  const auto mouse = hid::MakeMouseReport(0x01, 16383, 32767, -1);
  ASSERT_TRUE(hid::DecodeReport(mouse, r));
  EXPECT_EQ(r.kind, hid::kMouseReportKind);
  EXPECT_EQ(r.buttons, 0x01);
  EXPECT_EQ(r.x, 16383);
  EXPECT_EQ(r.y, 32767);
  EXPECT_EQ(r.wheel, -1);
  const auto key = hid::MakeKeyboardReport(0x22, 0x28);
  ASSERT_TRUE(hid::DecodeReport(key, r));
  EXPECT_EQ(r.kind, hid::kKeyboardReportKind);
  EXPECT_EQ(r.modifiers, 0x22);
  EXPECT_EQ(r.usage, 0x28);
  // Wrong sizes and kinds are not reports.
  const std::vector<uint8_t> bad[] = {{}, {2, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0}, {3, 0, 0, 0, 0, 0, 0, 0, 0}};
  for (const auto& b : bad) EXPECT_FALSE(hid::DecodeReport(b, r));
}

TEST(HidReports, ScalingIsTruncatedAndClamped) {
  struct Case {
    int32_t pixel;
    int32_t extent;
    uint16_t expected;
  };
  const Case cases[] = {
      {0, 1920, 0},      {1920, 1920, 32767}, {960, 1920, 16383}, {1919, 1920, 32749},
      {540, 1080, 16383}, {1, 1, 32767},       {-1, 1920, 0},      {-100000, 1920, 0},
      {1921, 1920, 32767}, {INT32_MAX, 1, 32767}, {INT32_MIN, 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hid::ScaleToAbsolute(c.pixel, c.extent), c.expected) << c.pixel << " of " << c.extent;
  }
}

TEST(VkToHidUsage, Table) {
  struct Case {
    uint32_t vk;
    uint8_t usage;
    uint8_t modifier;
  };
  const Case cases[] = {
      {'A', 0x04, 0},  {'Z', 0x1D, 0},  {'1', 0x1E, 0},  {'9', 0x26, 0},  {'0', 0x27, 0},
      {8, 0x2A, 0},    {9, 0x2B, 0},    {13, 0x28, 0},   {27, 0x29, 0},   {32, 0x2C, 0},
      {37, 0x50, 0},   {38, 0x52, 0},   {39, 0x4F, 0},   {40, 0x51, 0},   {91, 0xE3, 0},
      {92, 0xE7, 0},   {112, 0x3A, 0},  {123, 0x45, 0},  {160, 0, 0x02},  {161, 0, 0x20},
      {162, 0, 0x01},  {163, 0, 0x10},  {164, 0, 0x04},  {165, 0, 0x40},  {186, 0x33, 0},
      {187, 0x2E, 0},  {188, 0x36, 0},  {189, 0x2D, 0},  {190, 0x37, 0},  {191, 0x38, 0},
      {192, 0x35, 0},  {219, 0x2F, 0},  {220, 0x31, 0},  {221, 0x30, 0},  {222, 0x34, 0},
      // Keys the device table lacks.
      {46, 0, 0},      {36, 0, 0},      {16, 0, 0},      {17, 0, 0},      {18, 0, 0},
      {96, 0, 0},      {124, 0, 0},     {'a', 0, 0},     {0, 0, 0},       {1000, 0, 0},
  };
  for (const Case& c : cases) {
    const HidKey key = VkToHidUsage(c.vk);
    EXPECT_EQ(key.usage, c.usage) << "vk " << c.vk;
    EXPECT_EQ(key.modifier, c.modifier) << "vk " << c.vk;
  }
}

TEST(VkToHidUsage, LiveModifierState) {
  HeldKeys keys;
  EXPECT_EQ(ModifierStateFromKeys(keys), 0);
  EXPECT_EQ(ModifierStateFromKeys(OperatorKeyboard()), 0);
  for (uint32_t vk : {160u, 162u, 164u, 91u, 161u, 163u, 165u, 92u, 16u}) keys.SetKeyDown(vk, true);
  // Every bit but the right Windows key's; generic Shift (16) adds nothing of its own.
  EXPECT_EQ(ModifierStateFromKeys(keys), 0x7F);
  keys.SetKeyDown(160, false);
  EXPECT_EQ(ModifierStateFromKeys(keys), 0x7D);
  keys.ReleaseAll();
  EXPECT_EQ(ModifierStateFromKeys(keys), 0);
  keys.SetKeyDown(4096, true);  // out of range: ignored
  EXPECT_FALSE(keys.IsKeyDown(4096));
}

// The plan as text: "^" for a switch of the input method, the keys otherwise.
std::string PlanText(std::u16string_view text) {
  std::string out;
  for (const TypingStep& s : PlanTyping(text)) {
    out += s.kind == TypingStep::Kind::kSwitchLanguage ? '^' : s.key;
  }
  return out;
}

TEST(HangulTyping, Plans) {
  struct Case {
    std::u16string text;
    std::string keys;
  };
  const Case cases[] = {
      {u"\uAC00 a", "^rk ^a"},        // Korean kept over the space, back before the letter
      {u"\uAC00", "^rk^"},            // a text ending in Korean switches back once
      {u"\uD55C\uAE00", "^gksrmf^"},  // han-geul: finals and a second syllable
      {u"\uAC01\uAC12\uAC13", "^rkrrkqtrkt^"},  // gak gaps gat: single and compound finals
      {u"\uB2ED\uBDC1", "^ekfrqnpfr^"},         // dalk bwelk: compound vowel and final
      {u"\uB611", "^Ehr^"},                      // a double (shifted) initial
      {u"\uD7A3", "^glg^"},           // the last syllable
      {u"ab 1", "ab 1"},              // no switch for plain text
      {u"a\r\nb", "a\r\nb"},          // control characters pass to the key table
      {u"\u3131\u4E00\u00E9x", "x"},  // jamo, Hanja and Latin-1 are skipped
      {u"\uAC00\u3131\uAC00", "^rk^^rk^"},  // a skipped unit still ends the Korean run
      {u"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PlanText(c.text), c.keys);

  const auto steps = PlanTyping(u"\uAC00a\uAC00");
  ASSERT_EQ(steps.size(), 9u);  // ^ r k ^ a ^ r k ^
  for (size_t i : {0, 3, 5}) EXPECT_EQ(steps[i].pause_after_ms, kLanguageSwitchPauseMs);
  EXPECT_EQ(steps[8].kind, TypingStep::Kind::kSwitchLanguage);
  EXPECT_EQ(steps[8].pause_after_ms, 0);
}

TEST(HangulTyping, EverySyllableDecomposes) {
  std::string keys;
  for (char32_t c = kFirstHangulSyllable; c <= kLastHangulSyllable; ++c) {
    keys.clear();
    AppendDubeolsikKeys(static_cast<char16_t>(c), keys);
    ASSERT_GE(keys.size(), 2u);
    ASSERT_LE(keys.size(), 6u);
  }
  keys.clear();
  AppendDubeolsikKeys(u'a', keys);
  EXPECT_TRUE(keys.empty());
}

}  // namespace
}  // namespace zor
