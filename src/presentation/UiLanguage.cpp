#include "presentation/UiLanguage.h"

namespace zor {
namespace {

constexpr std::string_view kKoreanCode = "ko";
constexpr std::string_view kEnglishCode = "en";

bool IsKoreanLocale(std::string_view locale_name) {
  // "ko" alone or followed by a territory, encoding or modifier ("ko_KR.UTF-8", "ko@x").
  if (!locale_name.starts_with(kKoreanCode)) return false;
  if (locale_name.size() == kKoreanCode.size()) return true;
  const char next = locale_name[kKoreanCode.size()];
  return next == '_' || next == '-' || next == '.' || next == '@';
}

}  // namespace

UiLanguage ChooseUiLanguage(std::string_view locale_name, std::string_view stored_choice) {
  if (stored_choice == kKoreanCode) return UiLanguage::Korean;
  if (stored_choice == kEnglishCode) return UiLanguage::English;
  return IsKoreanLocale(locale_name) ? UiLanguage::Korean : UiLanguage::English;
}

std::string LanguageCode(UiLanguage language) {
  return std::string(language == UiLanguage::Korean ? kKoreanCode : kEnglishCode);
}

}  // namespace zor
