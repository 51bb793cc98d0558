#pragma once
// The lenient number reading of scripts and analysis parameters, as the C library's decimal
// string-to-number conversions read them: leading white space skipped, an optional sign, the
// digits, and whatever follows ignored. No digits or a value out of range gives nothing.
#include <cstdint>
#include <optional>
#include <string_view>

namespace zor {

std::optional<int32_t> ParseLenientInt(std::u16string_view text);
std::optional<float> ParseLenientFloat(std::u16string_view text);

}  // namespace zor
