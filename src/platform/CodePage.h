#pragma once
// Text conversions at the system's edges. The core keeps user texts as UTF-16 (std::u16string);
// files store them in code page 949 (the Korean "ANSI" code page) or UTF-16LE, JSON and Qt take UTF-8.
#include <string>
#include <string_view>

namespace zor {

// UTF-16 to code page 949. Characters that the code page lacks become its default character '?'.
// Returns false (and an empty result) only when the converter itself is unavailable.
bool ToCodePage949(std::u16string_view text, std::string& out);
std::string ToCodePage949(std::u16string_view text);

// Code page 949 to UTF-16. Bytes that do not form valid code page 949 text give an empty string
// (the rule of the device list file).
std::u16string FromCodePage949(std::string_view bytes);
// The same, but each byte that does not start a valid sequence becomes '?' and the rest is kept,
// as the platform's standard conversion does (the rule of Scene files).
std::u16string FromCodePage949Replacing(std::string_view bytes);

// UTF-8 <-> UTF-16. Invalid UTF-8 sequences become U+FFFD; unpaired surrogates become U+FFFD.
std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);

}  // namespace zor
