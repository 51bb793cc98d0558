#pragma once
// The analysis parameters of an Item: the keys, their defaults and how their values are read.
// Text values are compared exactly (only "Single", "Fast" and "True" select their behaviour);
// numbers are read leniently and fall back to the default. No value ever fails an analysis.
#include <cstdint>
#include <string>
#include <string_view>

namespace zor {

struct Item;

inline constexpr char16_t kParamMode[] = u"Mode";                  // "Single" or "Multi"
inline constexpr char16_t kParamSearchMode[] = u"SearchMode";      // "Normal" or "Fast"
inline constexpr char16_t kParamTolerance[] = u"Tolerance";        // subtracted from the threshold
inline constexpr char16_t kParamColorMode[] = u"ColorMode";        // "True": match in colour
inline constexpr char16_t kParamBinThreshold[] = u"BinThreshold";  // binarisation level
inline constexpr char16_t kParamMinR[] = u"MinR";
inline constexpr char16_t kParamMinG[] = u"MinG";
inline constexpr char16_t kParamMinB[] = u"MinB";
inline constexpr char16_t kParamMaxR[] = u"MaxR";
inline constexpr char16_t kParamMaxG[] = u"MaxG";
inline constexpr char16_t kParamMaxB[] = u"MaxB";

inline constexpr char16_t kModeDefault[] = u"Multi";
inline constexpr char16_t kSearchModeDefault[] = u"Normal";
inline constexpr char16_t kColorModeDefault[] = u"False";
inline constexpr float kToleranceDefault = 0.01f;
inline constexpr int32_t kBinThresholdDefault = 128;

// Inclusive RGB bounds, compared as integers and never clamped: a minimum above its maximum
// admits nothing, bounds beyond 0..255 act as 0 or 255.
struct ColourBox {
  int32_t MinR = 0, MinG = 0, MinB = 0;
  int32_t MaxR = 255, MaxG = 255, MaxB = 255;

  bool Admits(int b, int g, int r) const {
    return MinR <= r && r <= MaxR && MinG <= g && g <= MaxG && MinB <= b && b <= MaxB;
  }
};

struct AnalysisParams {
  bool Single = false;  // "Mode" is exactly "Single"
  bool Fast = false;    // "SearchMode" is exactly "Fast"
  bool Colour = false;  // "ColorMode" is exactly "True"
  float Tolerance = kToleranceDefault;
  int32_t BinThreshold = kBinThresholdDefault;
  ColourBox Box;
};

// The value of the first parameter named `key` (case-sensitive), even an empty one, or
// `fallback` when there is none.
std::u16string GetParamText(const Item& item, std::u16string_view key, std::u16string_view fallback);

AnalysisParams ReadAnalysisParams(const Item& item);

}  // namespace zor
