#include "input/HidReports.h"

#include <algorithm>

namespace zor::hid {

MouseReport MakeMouseReport(uint8_t buttons, uint16_t x, uint16_t y, int8_t wheel) {
  return {kMouseReportKind,
          buttons,
          static_cast<uint8_t>(x & 0xFF),
          static_cast<uint8_t>(x >> 8),
          static_cast<uint8_t>(y & 0xFF),
          static_cast<uint8_t>(y >> 8),
          static_cast<uint8_t>(wheel)};
}

KeyboardReport MakeKeyboardReport(uint8_t modifiers, uint8_t usage) {
  return {kKeyboardReportKind, modifiers, 0, usage, 0, 0, 0, 0, 0};
}

uint16_t ScaleToAbsolute(int32_t pixel, int32_t extent) {
  // Truncation toward zero, as the device's own scaling does; clamping afterwards keeps a
  // point left of the screen at 0 instead of wrapping it to the right edge.
  const double scaled = static_cast<double>(pixel) / extent * kMaxAbsolute;
  const double clamped = std::clamp(scaled, 0.0, static_cast<double>(kMaxAbsolute));
  return static_cast<uint16_t>(clamped);
}

bool DecodeReport(std::span<const uint8_t> message, DecodedReport& report) {
  if (message.size() == std::tuple_size_v<MouseReport> && message[0] == kMouseReportKind) {
    report = DecodedReport{};
    report.kind = kMouseReportKind;
    report.buttons = message[1];
    report.x = static_cast<uint16_t>(message[2] | (message[3] << 8));
    report.y = static_cast<uint16_t>(message[4] | (message[5] << 8));
    report.wheel = static_cast<int8_t>(message[6]);
    return true;
  }
  if (message.size() == std::tuple_size_v<KeyboardReport> && message[0] == kKeyboardReportKind) {
    report = DecodedReport{};
    report.kind = kKeyboardReportKind;
    report.modifiers = message[1];
    report.usage = message[3];
    return true;
  }
  return false;
}

}  // namespace zor::hid
