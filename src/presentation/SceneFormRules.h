#pragma once
// How the Scene Tool's form turns typed texts into Scene and Item fields and back. Plain
// functions, so that the rules are tested without widgets.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Item.h"

namespace zor {

// Names and descriptions are read from their boxes into a 256-character buffer, terminator
// included, so longer texts are cut.
inline constexpr size_t kMaxFormNameChars = 255;

// The text of a name box as stored: at most kMaxFormNameChars characters.
std::u16string FormName(std::u16string_view text);

// "Item Params": one pair per line "key=value"; lines without "=" or with an empty key are
// skipped; key and value are trimmed of spaces, tabs, CR and LF. Duplicate keys stay in order.
std::vector<ItemParam> ParseParamsText(std::u16string_view text);
// One line per pair: key, "=", value, CR LF.
std::u16string FormatParamsText(const std::vector<ItemParam>& params);

// "Color : ": an unsigned number in automatic base ("0x" hexadecimal, leading 0 octal, else
// decimal) after optional white space and sign, read up to the first character that does not
// fit. No digits give 0; values above 32 bits saturate; a minus sign negates modulo 2^32.
uint32_t ParseColourText(std::u16string_view text);
// "0x" and eight upper-case hexadecimal digits.
std::u16string FormatColourText(uint32_t colour);

// "CF : ": a decimal floating-point number with a point, whatever the locale; 0 when the text
// does not start with one.
float ParseThresholdText(std::u16string_view text);
// Two decimals ("0.95") when they read back as the same value; otherwise the shortest text
// that does ("0.947"), so that showing an Item never changes its threshold.
std::u16string FormatThresholdText(float threshold);

// Multi-line boxes: the stored texts end their lines with CR LF as the Windows program's edit
// boxes gave them; the Qt boxes show and give plain line feeds.
std::u16string ToBoxText(std::u16string_view stored);
std::u16string FromBoxText(std::u16string_view shown);

}  // namespace zor
