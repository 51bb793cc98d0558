// Qt key events to Windows virtual-key codes, as a table: the ends of the letter, digit and
// function key ranges, extended keys, shifted punctuation on its unshifted key, the keypad with
// Num Lock on and off, left and right modifiers by their X key symbols, and the Korean keys.
#include <gtest/gtest.h>

#include "gui/widgets/QtVirtualKey.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

struct KeyCase {
  const char* name;
  int qt_key;
  Qt::KeyboardModifiers modifiers;
  quint32 keysym;  // the native virtual key, 0 where the platform gives none
  VirtualKey expected;
};

constexpr auto kNone = Qt::NoModifier;
constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kKeypad = Qt::KeypadModifier;

TEST(QtVirtualKey, Table) {
  const std::vector<KeyCase> cases = {
      {"A", Qt::Key_A, kNone, 0x61, {65, false}},
      {"Z with Shift", Qt::Key_Z, kShift, 0x5a, {90, false}},
      {"0", Qt::Key_0, kNone, 0x30, {48, false}},
      {"! is Shift+1", Qt::Key_Exclam, kShift, 0x21, {49, false}},
      {") is Shift+0", Qt::Key_ParenRight, kShift, 0x29, {48, false}},
      {"F1", Qt::Key_F1, kNone, 0, {112, false}},
      {"F24", Qt::Key_F24, kNone, 0, {135, false}},
      {"Left", Qt::Key_Left, kNone, 0, {37, true}},
      {"Down", Qt::Key_Down, kNone, 0, {40, true}},
      {"Delete", Qt::Key_Delete, kNone, 0, {46, true}},
      {"Backspace", Qt::Key_Backspace, kNone, 0, {8, false}},
      {"Shift+Tab", Qt::Key_Backtab, kShift, 0, {9, false}},
      {"Print Screen", Qt::Key_Print, kNone, 0, {44, true}},
      {";", Qt::Key_Semicolon, kNone, 0, {186, false}},
      {": is Shift+;", Qt::Key_Colon, kShift, 0, {186, false}},
      {"+ is Shift+=", Qt::Key_Plus, kShift, 0, {187, false}},
      {"_ is Shift+-", Qt::Key_Underscore, kShift, 0, {189, false}},
      {"?", Qt::Key_Question, kShift, 0, {191, false}},
      {"~", Qt::Key_AsciiTilde, kShift, 0, {192, false}},
      {"|", Qt::Key_Bar, kShift, 0, {220, false}},
      {"}", Qt::Key_BraceRight, kShift, 0, {221, false}},
      {"keypad 0", Qt::Key_0, kKeypad, 0xffb0, {96, false}},
      {"keypad +", Qt::Key_Plus, kKeypad, 0, {107, false}},
      {"keypad /", Qt::Key_Slash, kKeypad, 0, {111, true}},
      {"keypad Enter", Qt::Key_Enter, kKeypad, 0, {13, true}},
      {"keypad Home (Num Lock off)", Qt::Key_Home, kKeypad, 0, {36, false}},
      {"keypad 5 (Num Lock off)", Qt::Key_Clear, kKeypad, 0, {12, false}},
      {"left Shift", Qt::Key_Shift, kShift, 0xffe1, {160, false}},
      {"right Shift", Qt::Key_Shift, kShift, 0xffe2, {161, false}},
      {"left Ctrl", Qt::Key_Control, Qt::ControlModifier, 0xffe3, {162, false}},
      {"right Ctrl", Qt::Key_Control, Qt::ControlModifier, 0xffe4, {163, true}},
      {"left Alt", Qt::Key_Alt, Qt::AltModifier, 0xffe9, {164, false}},
      {"right Alt", Qt::Key_Alt, Qt::AltModifier, 0xffea, {165, true}},
      {"right Alt as AltGr", Qt::Key_AltGr, kNone, 0xfe03, {165, true}},
      {"left Windows", Qt::Key_Super_L, Qt::MetaModifier, 0xffeb, {91, true}},
      {"right Windows", Qt::Key_Super_R, Qt::MetaModifier, 0xffec, {92, true}},
      {"Windows key as Meta", Qt::Key_Meta, Qt::MetaModifier, 0xffeb, {91, true}},
      {"Shift without a key symbol", Qt::Key_Shift, kShift, 0, {160, false}},
      {"Ctrl without a key symbol", Qt::Key_Control, kNone, 0, {162, false}},
      {"Alt without a key symbol", Qt::Key_Alt, kNone, 0, {164, false}},
      {"Meta without a key symbol", Qt::Key_Meta, kNone, 0, {91, true}},
      {"Hangul", Qt::Key_Hangul, kNone, 0xff31, {21, false}},
      {"Hangul without a key symbol", Qt::Key_Hangul, kNone, 0, {21, false}},
      {"Hanja", Qt::Key_Hangul_Hanja, kNone, 0xff34, {25, false}},
      {"a key Windows has no code for", Qt::Key_LaunchMail, kNone, 0, {0, false}},
      {"no key at all", 0, kNone, 0, {0, false}},
  };
  for (const KeyCase& c : cases) {
    const VirtualKey key = VirtualKeyFromQt(c.qt_key, c.modifiers, c.keysym);
    EXPECT_EQ(key.code, c.expected.code) << c.name;
    EXPECT_EQ(key.extended, c.expected.extended) << c.name;
  }
}

// A key event makes Qt create its keyboard device, which only an application object owns and frees.
struct QtVirtualKeyEvent : ::testing::Test, test::WithQtApp {};

TEST_F(QtVirtualKeyEvent, ReadsTheKeySymbolOfARealKeyEvent) {
  const QKeyEvent right_ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4, 0);
  EXPECT_EQ(VirtualKeyFromQt(right_ctrl), (VirtualKey{163, true}));
}

}  // namespace
}  // namespace zor
