#pragma once
// Which language the GUI speaks: Korean under a Korean system locale, English otherwise, unless
// the operator chose one in the Settings dialog. Pure rule, no Qt; any thread.
#include <string>
#include <string_view>

namespace zor {

enum class UiLanguage { Korean, English };

// The stored choice that follows the system locale; "ko" and "en" choose a language.
inline constexpr std::string_view kFollowSystemLanguage = "system";

// `locale_name` is the system locale as the platform names it ("ko_KR", "ko_KR.UTF-8", "en_US",
// "C"); `stored_choice` is the operator's choice as stored ("system", "ko", "en", or empty when
// never chosen). An unknown stored value follows the locale, as if nothing were stored.
UiLanguage ChooseUiLanguage(std::string_view locale_name, std::string_view stored_choice);

// The language's code as the translation files are named by it: "ko" or "en".
std::string LanguageCode(UiLanguage language);

}  // namespace zor
