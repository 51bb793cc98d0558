// TesselLiteDriver: the input side (HID reports over the device's WebSocket).
#include "device/TesselLiteDriver.h"

#include "input/AsciiHidMap.h"
#include "input/HangulTyping.h"
#include "input/HidReports.h"
#include "input/VkToHidUsage.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "model/DeviceInfo.h"

namespace zor {
namespace {

constexpr char kHidPath[] = "/api/ws";
// The Hanja key: the device has no such key, so it gets the keys that open the input
// method's Hanja conversion instead.
constexpr uint8_t kHanjaFirstUsage = 0x4F;
constexpr uint8_t kHanjaSecondUsage = 0x90;
constexpr int64_t kMaxVirtualKey = 255;

}  // namespace

bool TesselLiteDriver::ConnectInput() {
  const DeviceInfo* device = owner_.Device();
  if (!device) return false;
  if (hid_open_) return true;
  hid_socket_.SetUrl("ws://" + ToCodePage949(device->ConnectIP) + kHidPath);
  hid_socket_.Start();
  hid_open_ = true;
  return true;
}

void TesselLiteDriver::DisconnectInput() {
  // Stopped even when a close already cleared hid_open_: the socket would otherwise go on
  // reconnecting to the device after the driver was told to let go of it.
  hid_socket_.Stop();
  hid_open_ = false;
}

// Runs on the socket's I/O thread.
void TesselLiteDriver::OnHidSocketEvent(const WebSocketEvent& event) {
  if (event.kind == WebSocketEvent::Kind::Open) hid_open_ = true;
  if (event.kind == WebSocketEvent::Kind::Close) hid_open_ = false;
}

void TesselLiteDriver::MouseMove(int32_t x, int32_t y) {
  if (!hid_open_ || screen_width_ < 1 || screen_height_ < 1) return;
  const uint16_t abs_x = hid::ScaleToAbsolute(x, screen_width_);
  const uint16_t abs_y = hid::ScaleToAbsolute(y, screen_height_);
  last_x_ = abs_x;
  last_y_ = abs_y;
  SendMouseReport(buttons_, abs_x, abs_y, 0);
}

void TesselLiteDriver::MouseButton(const std::string& button, bool down) {
  if (!hid_open_) return;
  const uint8_t bits = button == "left" ? hid::kButtonLeft : button == "right" ? hid::kButtonRight : 0;
  buttons_ = down ? bits : 0;
  SendMouseReport(buttons_, last_x_, last_y_, 0);
}

void TesselLiteDriver::MouseWheel(bool, int32_t delta) {
  if (!hid_open_) return;
  SendMouseReport(buttons_, last_x_, last_y_, delta < 1 ? -1 : 1);
}

void TesselLiteDriver::KeyEvent(uint32_t message, int64_t virtual_key, int64_t) {
  if (virtual_key == kVkImeProcessed) return;
  const uint8_t state = ModifierStateFromKeys(*key_state_.load());
  modifier_state_ = state;
  const bool press = IsKeyPress(message);
  if (virtual_key == kVkHanja) {
    if (!press) {
      SendKeyReport(0, 0);
      return;
    }
    SendKeyReport(0, kHanjaFirstUsage);
    SleepMs(kHanjaStepMs);
    SendKeyReport(0, 0);
    SleepMs(kHanjaStepMs);
    SendKeyReport(0, kHanjaSecondUsage);
    return;
  }
  const bool known = virtual_key >= 0 && virtual_key <= kMaxVirtualKey;
  const HidKey key = known ? VkToHidUsage(static_cast<uint32_t>(virtual_key)) : HidKey{};
  if (press) {
    SendKeyReport(state | key.modifier, key.usage);
  } else {
    SendKeyReport(state, 0);
  }
}

void TesselLiteDriver::KeyCombo(uint8_t modifiers, uint8_t usage) {
  SendKeyReport(modifiers, usage);
  SleepMs(kComboHoldMs);
  SendKeyReport(0, 0);
}

void TesselLiteDriver::ToggleHangulMode() {
  SendKeyReport(hid::kModRightAlt, 0);
  SleepMs(kHangulToggleHoldMs);
  SendKeyReport(0, 0);
}

void TesselLiteDriver::TypeText(const std::u16string& text) {
  for (const TypingStep& step : PlanTyping(text)) {
    if (step.kind == TypingStep::Kind::kSwitchLanguage) {
      ToggleHangulMode();
      SleepMs(step.pause_after_ms);
    } else {
      TypeAsciiChar(step.key);
    }
  }
}

void TesselLiteDriver::TypeAsciiChar(char c) {
  const auto& table = AsciiHidMap();
  const auto found = table.find(c);
  if (found == table.end()) return;
  const uint8_t state = modifier_state_;
  SendKeyReport(found->second.Modifier | state, found->second.Usage);
  SleepMs(kKeyPressMs);
  SendKeyReport(state, 0);
  SleepMs(kKeyGapMs);
}

void TesselLiteDriver::SendMouseReport(uint8_t buttons, uint16_t x, uint16_t y, int8_t wheel) {
  const hid::MouseReport report = hid::MakeMouseReport(buttons, x, y, wheel);
  hid_socket_.SendBinary(report);  // refused while the socket is not open, as intended
}

void TesselLiteDriver::SendKeyReport(uint8_t modifiers, uint8_t usage) {
  if (!hid_open_) return;
  const hid::KeyboardReport report = hid::MakeKeyboardReport(modifiers, usage);
  hid_socket_.SendBinary(report);
}

}  // namespace zor
