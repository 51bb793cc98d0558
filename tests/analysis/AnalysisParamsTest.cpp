// Reading the analysis parameters of an Item: exact text comparison, lenient numbers, defaults
// where a value is missing or unreadable.
#include <gtest/gtest.h>

#include "analysis/AnalysisParams.h"
#include "AnalysisFixtures.h"

namespace zor::test {
namespace {

AnalysisParams Read(const ParamList& list) { return ReadAnalysisParams(MakeItem(0, cv::Mat(), list)); }

TEST(AnalysisParams, TextValuesSelectOnlyOnExactMatch) {
  struct Case {
    ParamList list;
    bool single, fast, colour;
  };
  const Case cases[] = {
      {{{u"Mode", u"Single"}}, true, false, false},
      {{{u"Mode", u"single"}}, false, false, false},
      {{{u"Mode", u""}}, false, false, false},
      {{{u"Mode", u"Single "}}, false, false, false},
      {{{u"mode", u"Single"}}, false, false, false},             // keys are case-sensitive
      {{{u"Mode", u"Multi"}, {u"Mode", u"Single"}}, false, false, false},  // first pair wins
      {{{u"Mode", u"Single"}, {u"Mode", u"Multi"}}, true, false, false},
      {{{u"SearchMode", u"Fast"}}, false, true, false},
      {{{u"SearchMode", u"FAST"}}, false, false, false},
      {{{u"ColorMode", u"True"}}, false, false, true},
      {{{u"ColorMode", u"true"}}, false, false, false},
      {{{u"ColorMode", u"1"}}, false, false, false},
  };
  for (const auto& c : cases) {
    const AnalysisParams p = Read(c.list);
    SCOPED_TRACE(std::string(c.list[0].second.begin(), c.list[0].second.end()));
    EXPECT_EQ(p.Single, c.single);
    EXPECT_EQ(p.Fast, c.fast);
    EXPECT_EQ(p.Colour, c.colour);
  }
}

TEST(AnalysisParams, NumbersAreReadLenientlyAndNeverClamped) {
  struct Case {
    std::u16string key, value;
    int32_t expected;
  };
  const Case cases[] = {
      {u"MaxR", u"abc", 255},   {u"MaxR", u"12px", 12},         {u"MinR", u"-5", -5},
      {u"MaxG", u"300", 300},   {u"MinB", u"-20", -20},         {u"MaxB", u"", 255},
      {u"BinThreshold", u"", 128}, {u"BinThreshold", u" 77a", 77}, {u"BinThreshold", u"+3", 3},
      {u"BinThreshold", u"99999999999", 128},                    // out of the 32-bit range
  };
  for (const auto& c : cases) {
    const AnalysisParams p = Read({{c.key, c.value}});
    const ColourBox& b = p.Box;
    const int32_t got = c.key == u"MaxR"   ? b.MaxR
                        : c.key == u"MinR" ? b.MinR
                        : c.key == u"MaxG" ? b.MaxG
                        : c.key == u"MinB" ? b.MinB
                        : c.key == u"MaxB" ? b.MaxB
                                           : p.BinThreshold;
    EXPECT_EQ(got, c.expected) << std::string(c.value.begin(), c.value.end());
  }
}

TEST(AnalysisParams, ToleranceIsASinglePrecisionNumber) {
  EXPECT_EQ(Read({{u"Tolerance", u"0"}}).Tolerance, 0.0f);
  EXPECT_EQ(Read({{u"Tolerance", u"-0.02"}}).Tolerance, -0.02f);
  EXPECT_EQ(Read({{u"Tolerance", u"0.05 or so"}}).Tolerance, 0.05f);
  EXPECT_EQ(Read({{u"Tolerance", u"x"}}).Tolerance, 0.01f);
}

TEST(AnalysisParams, ColourBoxBoundsAreInclusive) {
  ColourBox box;
  box.MinR = 10, box.MaxR = 20;
  EXPECT_TRUE(box.Admits(0, 0, 10));
  EXPECT_TRUE(box.Admits(255, 255, 20));
  EXPECT_FALSE(box.Admits(0, 0, 9));
  EXPECT_FALSE(box.Admits(0, 0, 21));
  box.MinR = 200, box.MaxR = 100;  // minimum above maximum admits nothing
  for (int r = 0; r < 256; ++r) EXPECT_FALSE(box.Admits(0, 0, r));
}

}  // namespace
}  // namespace zor::test
