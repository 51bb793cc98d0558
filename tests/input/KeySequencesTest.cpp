// The timed key sequences of the hardware device: which keyboard reports, in which order, and
// the pause the device must see after each one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/KeySequences.h"

namespace zor {
namespace {

using Keys = std::vector<TimedKey>;

// The two reports of one typed character: pressed 15 ms, then 10 ms before the next.
Keys Char(uint8_t modifiers, uint8_t usage, uint8_t state = 0) {
  return {{static_cast<uint8_t>(modifiers | state), usage, 15}, {state, 0, 10}};
}

// Right Alt held 30 ms, then `pause_ms` before the next.
Keys Toggle(int pause_ms) { return {{0x40, 0, 30}, {0, 0, pause_ms}}; }

Keys Join(std::initializer_list<Keys> parts) {
  Keys all;
  for (const Keys& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(KeySequences, CombinationToggleAndHanja) {
  EXPECT_EQ(ComboKeys(0x01, 0x06), (Keys{{0x01, 0x06, 20}, {0, 0, 0}}));
  EXPECT_EQ(HangulToggleKeys(), Toggle(0));
  EXPECT_EQ(HanjaPressKeys(), (Keys{{0, 0x4F, 5}, {0, 0, 5}, {0, 0x90, 0}}));
}

TEST(KeySequences, TypedText) {
  struct Case {
    const char* name;
    std::u16string text;
    uint8_t state;
    Keys expected;
  };
  const Case cases[] = {
      {"shifted and plain letters", u"Ab", 0, Join({Char(0x02, 0x04), Char(0, 0x05)})},
      {"the modifiers held when typing began", u"A", 0x10, Char(0x02, 0x04, 0x10)},
      {"carriage return skipped, line feed is Enter", u"\r\n", 0, Char(0, 0x28)},
      {"Korean kept over the space, switched back before the letter", u"\uAC00 a", 0,
       Join({Toggle(20), Char(0, 0x15), Char(0, 0x0E), Char(0, 0x2C), Toggle(20), Char(0, 0x04)})},
      {"a text ending in Korean switches back once, without a pause after it", u"\uAC00", 0,
       Join({Toggle(20), Char(0, 0x15), Char(0, 0x0E), Toggle(0)})},
      {"nothing to type", u"\u3131", 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(TypingKeys(c.text, c.state), c.expected) << c.name;
}

}  // namespace
}  // namespace zor
