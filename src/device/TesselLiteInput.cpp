// TesselLiteDriver: the input side (HID reports over the device's WebSocket).
#include "device/TesselLiteDriver.h"

#include "input/HidReports.h"
#include "input/VkToHidUsage.h"
#include "model/DeviceInfo.h"
#include "platform/CodePage.h"
#include "platform/Diag.h"

namespace zor {
namespace {

constexpr char kHidPath[] = "/api/ws";
constexpr std::string_view kDiag = "drivers";

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
  // reconnecting to the device after the driver was told to let go of it. The queue is
  // cancelled once the socket's run has ended, so no pause of it is still being waited.
  hid_socket_.Stop();
  reports_.Cancel();
  hid_open_ = false;
}

// Runs on the driver's strand.
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

void TesselLiteDriver::MouseButton(PointerButton button, bool down) {
  if (!hid_open_) return;
  const uint8_t bits = button == PointerButton::Left ? hid::kButtonLeft : hid::kButtonRight;
  buttons_ = down ? bits : 0;
  SendMouseReport(buttons_, last_x_, last_y_, 0);
}

void TesselLiteDriver::MouseWheel(bool, int32_t delta) {
  if (!hid_open_) return;
  SendMouseReport(buttons_, last_x_, last_y_, delta < 1 ? -1 : 1);
}

void TesselLiteDriver::KeyEvent(KeyStroke stroke) {
  if (stroke.key.code == vk::kImeProcessed) return;
  const uint8_t state = ModifierStateFromKeys(*key_state_.load());
  modifier_state_ = state;
  if (stroke.key.code == vk::kHanja) {
    if (stroke.IsPress()) {
      SendKeys(HanjaPressKeys());
    } else {
      SendKeyReport(0, 0);
    }
    return;
  }
  if (stroke.IsPress()) {
    const HidKey key = VkToHidUsage(stroke.key.code);
    SendKeyReport(state | key.modifier, key.usage);
  } else {
    SendKeyReport(state, 0);
  }
}

InputCompletion TesselLiteDriver::KeyCombo(uint8_t modifiers, uint8_t usage) { return SendKeys(ComboKeys(modifiers, usage)); }

InputCompletion TesselLiteDriver::ToggleHangulMode() { return SendKeys(HangulToggleKeys()); }

InputCompletion TesselLiteDriver::TypeText(const std::u16string& text) {
  if (text.size() > kMaxTypedTextUnits) {
    diag::Write(kDiag, "TypeText: a text of " + std::to_string(text.size()) + " units is refused, longer than " +
                           std::to_string(kMaxTypedTextUnits));
    return InputCompletion::Finished(InputCompletion::Outcome::Refused);
  }
  // Typed letters carry the modifiers of the last key event, as they were when typing began.
  return SendKeys(TypingKeys(text, modifier_state_));
}

InputCompletion TesselLiteDriver::SendKeys(const std::vector<TimedKey>& keys) {
  if (!hid_open_) return {};
  std::vector<TimedReport> reports;
  reports.reserve(keys.size());
  for (const TimedKey& key : keys) {
    reports.emplace_back(hid::MakeKeyboardReport(key.modifiers, key.usage), key.pause_after_ms);
  }
  return reports_.SendTimed(std::move(reports));
}

void TesselLiteDriver::SendMouseReport(uint8_t buttons, uint16_t x, uint16_t y, int8_t wheel) {
  reports_.Send(hid::MakeMouseReport(buttons, x, y, wheel));  // refused while the socket is not open, as intended
}

void TesselLiteDriver::SendKeyReport(uint8_t modifiers, uint8_t usage) {
  if (!hid_open_) return;
  reports_.Send(hid::MakeKeyboardReport(modifiers, usage));
}

}  // namespace zor
