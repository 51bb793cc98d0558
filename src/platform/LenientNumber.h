#pragma once
// Numbers typed by the user or written in scripts are read leniently: leading white space, an
// optional sign, then digits; whatever follows is ignored. Unreadable text gives the fallback.
#include <cstdint>
#include <string_view>

namespace zor {

// The leading decimal number of `text`, or `fallback` when there are no digits, the number is
// negative, or it does not fit 32 bits.
uint32_t ParseLeadingUnsigned(std::u16string_view text, uint32_t fallback = 0);

}  // namespace zor
