// Numbers read from scripts and analysis parameters follow the C notation whatever locale the
// process runs under; the GUI runs under the environment's LC_NUMERIC, which may use a comma.
#include <gtest/gtest.h>

#include <vector>

#include "model/Item.h"
#include "platform/CodePage.h"
#include "platform/LenientNumber.h"
#include "support/DecimalCommaLocale.h"

namespace zor {
namespace {

TEST(NumberLocale, LenientReadingKeepsThePointUnderADecimalCommaLocale) {
  const test::DecimalCommaLocale locale;
  ASSERT_TRUE(locale.Active()) << test::kDecimalCommaLocale << " is missing: run scripts/install-deps.sh";
  struct Case {
    std::u16string text;
    float value;
  };
  const std::vector<Case> cases = {
      {u"0.947", 0.947f}, {u" 0.05px", 0.05f}, {u"-1.5e1", -15.0f}, {u"0,95", 0.0f}, {u"12,5", 12.0f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseLenientFloat(c.text), c.value) << ToUtf8(c.text);
    Item item;
    item.Params = {{u"Tolerance", c.text}};
    EXPECT_EQ(item.GetParamFloat(u"Tolerance", 0.01f), c.value) << ToUtf8(c.text);
  }
  EXPECT_EQ(ParseLenientInt(u"1.234"), 1) << "no thousands grouping";
}

}  // namespace
}  // namespace zor
