// The language rule: the system locale decides unless the operator stored a choice.
#include <gtest/gtest.h>

#include "presentation/UiLanguage.h"

namespace zor {
namespace {

struct LanguageCase {
  const char* locale_name;
  const char* stored_choice;
  UiLanguage expected;
};

TEST(UiLanguageTest, LocaleAndStoredChoiceGiveTheLanguage) {
  const LanguageCase cases[] = {
      {"ko_KR", "", UiLanguage::Korean},
      {"ko_KR.UTF-8", "system", UiLanguage::Korean},
      {"ko", "", UiLanguage::Korean},
      {"ko-KR", "", UiLanguage::Korean},
      {"en_US", "", UiLanguage::English},
      {"C", "", UiLanguage::English},
      {"", "", UiLanguage::English},
      {"kok_IN", "", UiLanguage::English},  // Konkani starts with "ko" but is not Korean
      {"de_DE", "ko", UiLanguage::Korean},
      {"ko_KR", "en", UiLanguage::English},
      {"ko_KR", "klingon", UiLanguage::Korean},  // an unknown stored value follows the locale
      {"en_GB", "EN-garbage", UiLanguage::English},
  };
  for (const LanguageCase& c : cases) {
    EXPECT_EQ(ChooseUiLanguage(c.locale_name, c.stored_choice), c.expected)
        << c.locale_name << " / " << c.stored_choice;
  }
}

TEST(UiLanguageTest, CodesNameTheTranslationFiles) {
  EXPECT_EQ(LanguageCode(UiLanguage::Korean), "ko");
  EXPECT_EQ(LanguageCode(UiLanguage::English), "en");
}

}  // namespace
}  // namespace zor
