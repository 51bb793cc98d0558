#include "gui/widgets/QtVirtualKey.h"

#include <array>

namespace zor {
namespace {

struct KeysymRow {
  quint32 keysym;
  VirtualKey key;
};

// X key symbols of the keys whose side (or kind) Qt's own key code loses.
constexpr std::array<KeysymRow, 13> kSidedKeysyms{{
    {0xffe1, {vk::kLeftShift, false}},     // Shift_L
    {0xffe2, {vk::kRightShift, false}},    // Shift_R
    {0xffe3, {vk::kLeftControl, false}},   // Control_L
    {0xffe4, {vk::kRightControl, true}},   // Control_R
    {0xffe9, {vk::kLeftMenu, false}},      // Alt_L
    {0xffea, {vk::kRightMenu, true}},      // Alt_R
    {0xfe03, {vk::kRightMenu, true}},      // ISO_Level3_Shift: the right Alt key of AltGr layouts
    {0xffe7, {vk::kLeftMenu, false}},      // Meta_L: left Alt with Shift on some layouts
    {0xffe8, {vk::kRightMenu, true}},      // Meta_R
    {0xffeb, {vk::kLeftWin, true}},        // Super_L
    {0xffec, {vk::kRightWin, true}},       // Super_R
    {0xff31, {vk::kHangul, false}},        // Hangul
    {0xff34, {vk::kHanja, false}},         // Hangul_Hanja
}};

struct QtRow {
  int qt_key;
  VirtualKey key;
};

// Keys of the main block and the navigation block, and the characters Qt reports for shifted
// keys, by the key of a US layout that types them.
constexpr std::array<QtRow, 65> kQtKeys{{
    {Qt::Key_Backspace, {8, false}},       {Qt::Key_Tab, {9, false}},
    {Qt::Key_Backtab, {9, false}},         {Qt::Key_Clear, {12, false}},
    {Qt::Key_Return, {13, false}},         {Qt::Key_Enter, {13, true}},
    {Qt::Key_Pause, {19, false}},          {Qt::Key_CapsLock, {20, false}},
    {Qt::Key_Hangul, {vk::kHangul, false}}, {Qt::Key_Hangul_Hanja, {vk::kHanja, false}},
    {Qt::Key_Escape, {27, false}},         {Qt::Key_Space, {32, false}},
    {Qt::Key_PageUp, {33, true}},          {Qt::Key_PageDown, {34, true}},
    {Qt::Key_End, {35, true}},             {Qt::Key_Home, {36, true}},
    {Qt::Key_Left, {37, true}},            {Qt::Key_Up, {38, true}},
    {Qt::Key_Right, {39, true}},           {Qt::Key_Down, {40, true}},
    {Qt::Key_Print, {44, true}},           {Qt::Key_Insert, {45, true}},
    {Qt::Key_Delete, {46, true}},          {Qt::Key_Meta, {vk::kLeftWin, true}},
    {Qt::Key_Super_L, {vk::kLeftWin, true}}, {Qt::Key_Super_R, {vk::kRightWin, true}},
    {Qt::Key_Menu, {93, true}},            {Qt::Key_NumLock, {144, true}},
    {Qt::Key_ScrollLock, {145, false}},    {Qt::Key_Shift, {vk::kLeftShift, false}},
    {Qt::Key_Control, {vk::kLeftControl, false}}, {Qt::Key_Alt, {vk::kLeftMenu, false}},
    {Qt::Key_AltGr, {vk::kRightMenu, true}},
    {Qt::Key_Semicolon, {186, false}},     {Qt::Key_Colon, {186, false}},
    {Qt::Key_Equal, {187, false}},         {Qt::Key_Plus, {187, false}},
    {Qt::Key_Comma, {188, false}},         {Qt::Key_Less, {188, false}},
    {Qt::Key_Minus, {189, false}},         {Qt::Key_Underscore, {189, false}},
    {Qt::Key_Period, {190, false}},        {Qt::Key_Greater, {190, false}},
    {Qt::Key_Slash, {191, false}},         {Qt::Key_Question, {191, false}},
    {Qt::Key_QuoteLeft, {192, false}},     {Qt::Key_AsciiTilde, {192, false}},
    {Qt::Key_BracketLeft, {219, false}},   {Qt::Key_BraceLeft, {219, false}},
    {Qt::Key_Backslash, {220, false}},     {Qt::Key_Bar, {220, false}},
    {Qt::Key_BracketRight, {221, false}},  {Qt::Key_BraceRight, {221, false}},
    {Qt::Key_Apostrophe, {222, false}},    {Qt::Key_QuoteDbl, {222, false}},
    {Qt::Key_Exclam, {'1', false}},        {Qt::Key_At, {'2', false}},
    {Qt::Key_NumberSign, {'3', false}},    {Qt::Key_Dollar, {'4', false}},
    {Qt::Key_Percent, {'5', false}},       {Qt::Key_AsciiCircum, {'6', false}},
    {Qt::Key_Ampersand, {'7', false}},     {Qt::Key_Asterisk, {'8', false}},
    {Qt::Key_ParenLeft, {'9', false}},     {Qt::Key_ParenRight, {'0', false}},
}};

// The keypad's own keys; with Num Lock off its digits arrive as navigation keys, which are then
// not extended (the keypad's Home is not the navigation block's Home).
constexpr std::array<QtRow, 18> kKeypadKeys{{
    {Qt::Key_Asterisk, {106, false}}, {Qt::Key_Plus, {107, false}},   {Qt::Key_Minus, {109, false}},
    {Qt::Key_Period, {110, false}},   {Qt::Key_Comma, {110, false}},  {Qt::Key_Slash, {111, true}},
    {Qt::Key_Enter, {13, true}},      {Qt::Key_Home, {36, false}},    {Qt::Key_End, {35, false}},
    {Qt::Key_PageUp, {33, false}},    {Qt::Key_PageDown, {34, false}}, {Qt::Key_Left, {37, false}},
    {Qt::Key_Up, {38, false}},        {Qt::Key_Right, {39, false}},   {Qt::Key_Down, {40, false}},
    {Qt::Key_Insert, {45, false}},    {Qt::Key_Delete, {46, false}},  {Qt::Key_Clear, {12, false}},
}};

constexpr uint8_t kVkNumpad0 = 96;
constexpr uint8_t kVkF1 = 112;
// Windows has virtual keys for F1..F24.
constexpr int kFunctionKeyCount = 24;

template <size_t N>
VirtualKey Find(const std::array<QtRow, N>& table, int qt_key) {
  for (const QtRow& row : table) {
    if (row.qt_key == qt_key) return row.key;
  }
  return {};
}

}  // namespace

VirtualKey VirtualKeyFromQt(int qt_key, Qt::KeyboardModifiers modifiers, quint32 native_virtual_key) {
  for (const KeysymRow& row : kSidedKeysyms) {
    if (native_virtual_key != 0 && row.keysym == native_virtual_key) return row.key;
  }
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return {static_cast<uint8_t>(kVkNumpad0 + (qt_key - Qt::Key_0)), false};
    if (const VirtualKey key = Find(kKeypadKeys, qt_key); key.code != 0) return key;
  }
  if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) || (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)) {
    return {static_cast<uint8_t>(qt_key), false};  // Windows names these keys by their ASCII code
  }
  if (qt_key >= Qt::Key_F1 && qt_key < Qt::Key_F1 + kFunctionKeyCount) {
    return {static_cast<uint8_t>(kVkF1 + (qt_key - Qt::Key_F1)), false};
  }
  return Find(kQtKeys, qt_key);
}

}  // namespace zor
