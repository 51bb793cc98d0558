#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace zor {
namespace {

TEST(CodePage949, KoreanRoundTripsThroughTheCodePage) {
  const std::u16string text = u"장치 1 - 한글 テスト";
  const std::string bytes = ToCodePage949(text);
  EXPECT_EQ(bytes.substr(0, 4), "\xC0\xE5\xC4\xA1");  // "장치" in code page 949
  EXPECT_EQ(FromCodePage949(bytes), text);
}

TEST(CodePage949, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(ToCodePage949(u"a\u0e01b"), "a?b");        // Thai is not in code page 949
  EXPECT_EQ(ToCodePage949(u"x\U0001F600y"), "x?y");     // one '?' for a surrogate pair
  EXPECT_EQ(ToCodePage949(std::u16string(1, u'\xD800')), "?");  // a lone surrogate
}

TEST(CodePage949, BytesThatDoNotConvertEmptyTheTextOrBecomeQuestionMarks) {
  struct Case {
    std::string bytes;
    std::u16string strict;     // the device list's rule
    std::u16string replacing;  // the Scene file's rule
  };
  const Case cases[] = {
      {"action INPUT \"caf\xE9\"\r\naction CLK", u"", u"action INPUT \"caf?\"\r\naction CLK"},
      {"ok\xC0", u"", u"ok?"},  // a lead byte without its trail
      {"\xFF\xFF\xC0\xE5", u"", u"??장"},
      {"\xC0\xE5", u"장", u"장"},
      {"", u"", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromCodePage949(c.bytes), c.strict) << c.bytes;
    EXPECT_EQ(FromCodePage949Replacing(c.bytes), c.replacing) << c.bytes;
  }
}

TEST(Utf8, ConvertsBothWaysAndReplacesInvalidSequences) {
  const std::u16string text = u"Ünïcode 한글 \U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");            // truncated sequence
  EXPECT_EQ(FromUtf8("\xC0\x80"), u"\uFFFD\uFFFD");    // overlong encoding
  EXPECT_EQ(ToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zor
