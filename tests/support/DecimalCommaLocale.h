#pragma once
// Runs part of a test under a locale whose decimal separator is a comma, as the GUI does when
// the environment names one (QCoreApplication adopts LC_NUMERIC from it). scripts/install-deps.sh
// generates the locale. Not for tests whose other threads format or parse numbers meanwhile.
#include <clocale>
#include <string>

namespace zor::test {

inline constexpr char kDecimalCommaLocale[] = "de_DE.UTF-8";

class DecimalCommaLocale {
 public:
  DecimalCommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
    std::setlocale(LC_ALL, kDecimalCommaLocale);
  }
  ~DecimalCommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  DecimalCommaLocale(const DecimalCommaLocale&) = delete;
  DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

  // False when the locale is not installed: the test cannot show anything then.
  bool Active() const { return *std::localeconv()->decimal_point == ','; }

 private:
  const std::string previous_;
};

}  // namespace zor::test
