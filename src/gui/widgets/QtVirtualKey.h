#pragma once
// Qt key events to the Windows virtual-key codes the device drivers take. Left and right
// modifiers are told apart by the platform's key symbol (X11 and Wayland report the keysym as
// the native virtual key); without one (the offscreen platform, synthetic events) a modifier
// counts as its left key. Characters that Qt reports shifted ('!', '{', ...) map back to the
// key of a US layout that types them, as Windows names keys and not characters.
#include <QKeyEvent>

#include "input/KeyStroke.h"

namespace zor {

// `qt_key`: QKeyEvent::key(); `modifiers`: its modifiers (the keypad flag tells the keypad's
// keys from the main ones); `native_virtual_key`: QKeyEvent::nativeVirtualKey(), 0 if unknown.
// A key without a virtual-key code gives code 0.
VirtualKey VirtualKeyFromQt(int qt_key, Qt::KeyboardModifiers modifiers, quint32 native_virtual_key);

inline VirtualKey VirtualKeyFromQt(const QKeyEvent& event) {
  return VirtualKeyFromQt(event.key(), event.modifiers(), event.nativeVirtualKey());
}

}  // namespace zor
