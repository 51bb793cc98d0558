#pragma once
// The binary input reports of the hardware KVM device, one per WebSocket message.
//
// Mouse report (7 bytes): kind 2, buttons (0x01 left, 0x02 right), x and y as unsigned
// little-endian 16-bit values in 0..32767 across the whole screen, wheel as a signed byte
// (1 up, -1 down, 0 none).
// Keyboard report (9 bytes): kind 1, modifier bits, a reserved 0, the usage id of the pressed
// key (0 for none), five zero bytes. Each report states the whole keyboard: usage 0 releases
// the key, and modifiers stay down for as long as reports carry them.
#include <array>
#include <cstdint>
#include <span>

namespace zor::hid {

inline constexpr uint8_t kMouseReportKind = 2;
inline constexpr uint8_t kKeyboardReportKind = 1;

inline constexpr uint8_t kButtonLeft = 0x01;
inline constexpr uint8_t kButtonRight = 0x02;

inline constexpr uint8_t kModLeftCtrl = 0x01;
inline constexpr uint8_t kModLeftShift = 0x02;
inline constexpr uint8_t kModLeftAlt = 0x04;
inline constexpr uint8_t kModLeftGui = 0x08;
inline constexpr uint8_t kModRightCtrl = 0x10;
inline constexpr uint8_t kModRightShift = 0x20;
inline constexpr uint8_t kModRightAlt = 0x40;
inline constexpr uint8_t kModRightGui = 0x80;

// Absolute coordinates span 0..kMaxAbsolute from the first pixel to the far edge.
inline constexpr uint16_t kMaxAbsolute = 32767;

using MouseReport = std::array<uint8_t, 7>;
using KeyboardReport = std::array<uint8_t, 9>;

MouseReport MakeMouseReport(uint8_t buttons, uint16_t x, uint16_t y, int8_t wheel);
KeyboardReport MakeKeyboardReport(uint8_t modifiers, uint8_t usage);

// Scales a pixel coordinate to the device's absolute range: pixel / extent × 32767, truncated,
// clamped to 0..32767 so that a point off the screen stays at the nearest edge. `extent` ≥ 1.
uint16_t ScaleToAbsolute(int32_t pixel, int32_t extent);

// A report as the device reads it back.
struct DecodedReport {
  uint8_t kind = 0;  // kMouseReportKind or kKeyboardReportKind
  uint8_t buttons = 0;
  uint16_t x = 0;
  uint16_t y = 0;
  int8_t wheel = 0;
  uint8_t modifiers = 0;
  uint8_t usage = 0;
};

// False for a message that is not exactly one report of a known kind.
bool DecodeReport(std::span<const uint8_t> message, DecodedReport& report);

}  // namespace zor::hid
