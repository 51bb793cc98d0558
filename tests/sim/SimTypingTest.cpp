// Capitals through the real drivers into zorkvm-sim: the software agent gets key names, Shift
// and Caps Lock among them; the hardware device gets reports with the Shift bits and the Caps
// Lock usage. Both simulated devices type what a desktop would show.
#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "device/SoftKvmDriver.h"
#include "device/TesselLiteDriver.h"
#include "platform/Clock.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

constexpr char kAddress[] = "127.0.0.36";
constexpr int kOpenTimeoutMs = 10000;
constexpr uint8_t kVkCapsLock = 20;
constexpr uint8_t kVkEnter = 13;
constexpr uint8_t kUsageCapsLock = 0x39;

KeyStroke Press(uint8_t code) { return {KeyAction::Press, {code, false}}; }
KeyStroke Release(uint8_t code) { return {KeyAction::Release, {code, false}}; }

// The strokes of the full control window for `text` (letters and spaces): a capital is its letter
// key with left Shift held around it, as the operator types it.
std::vector<KeyStroke> Typing(const std::string& text) {
  std::vector<KeyStroke> strokes;
  for (char c : text) {
    const bool capital = c >= 'A' && c <= 'Z';
    const auto code = static_cast<uint8_t>(capital || c == ' ' ? c : c - 'a' + 'A');
    if (capital) strokes.push_back(Press(vk::kLeftShift));
    strokes.push_back(Press(code));
    strokes.push_back(Release(code));
    if (capital) strokes.push_back(Release(vk::kLeftShift));
  }
  return strokes;
}

std::vector<KeyStroke> Tap(uint8_t code) { return {Press(code), Release(code)}; }

std::vector<KeyStroke> Join(std::vector<std::vector<KeyStroke>> parts) {
  std::vector<KeyStroke> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The text field as the simulator logged it after the `count`th key message, once it has.
std::string FieldAfter(const test::SimProcess& sim, size_t count) {
  std::vector<std::string> fields;
  WaitUntil([&] {
    fields.clear();
    for (const auto& j : sim.LogLines()) {
      if (j.contains("field")) fields.push_back(j["field"].get<std::string>());
    }
    return fields.size() >= count;
  });
  return fields.size() >= count ? fields[count - 1] : "(" + std::to_string(fields.size()) + " key messages arrived)";
}

TEST(SimTypingLive, TheSoftwareAgentTypesCapitalsUnderShiftAndCapsLock) {
  test::SimProcess sim({kAddress, 0, {"--size", "320x180"}, {}});
  ASSERT_TRUE(sim.Ready());
  test::RecordingOwner owner(test::SoftKvmDevice(u"127.0.0.36", sim.Port(), 320, 180));
  SoftKvmDriver driver(owner);
  driver.Connect();
  ASSERT_TRUE(WaitUntil([&] { return owner.FrameCount() >= 1; }, kOpenTimeoutMs));

  struct Case {
    const char* name;
    std::vector<KeyStroke> strokes;
    std::string field;
  };
  const Case cases[] = {
      {"Shift held for the capitals", Typing("Hello World"), "Hello World"},
      {"Caps Lock on, Shift held for one letter", Join({Tap(kVkCapsLock), Typing("Hello")}), "hELLO"},
      {"Caps Lock off again", Join({Tap(kVkCapsLock), Typing("Hi")}), "Hi"},
  };
  size_t sent = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const KeyStroke& stroke : c.strokes) driver.KeyEvent(stroke);
    sent += c.strokes.size();
    EXPECT_EQ(FieldAfter(sim, sent), c.field);
    // Enter submits the field: the next case starts on an empty one.
    for (const KeyStroke& stroke : Tap(kVkEnter)) driver.KeyEvent(stroke);
    sent += 2;
  }
  driver.Disconnect();
}

TEST(SimTypingLive, TheHardwareDeviceTypesCapitalsUnderShiftAndCapsLock) {
  test::TesselSim sim({"--size", "320x180"});
  ASSERT_TRUE(sim.Ready()) << "zorkvm-sim did not start on " << sim.Address();
  test::RecordingOwner owner(sim.Device(320, 180));
  TesselLiteDriver driver(owner);
  HeldKeys keys;  // the operator's keyboard, as the full control window feeds it
  driver.SetKeyStateSource(keys);
  ASSERT_TRUE(driver.ConnectInput());
  ASSERT_TRUE(WaitUntil([&] { return driver.InputChannelOpen(); }, kOpenTimeoutMs));

  for (const KeyStroke& stroke : Typing("Hello World")) {
    keys.SetKeyDown(stroke.key.code, stroke.IsPress());
    driver.KeyEvent(stroke);
  }
  // The full control window sends no report for Caps Lock; a key action of the automation does.
  driver.KeyCombo(0, kUsageCapsLock);
  driver.TypeText(u" Abc");  // typed text carries Shift for its capitals
  const std::string expected = "Hello World aBC";
  const auto last_field = [&] {
    const auto fields = sim.LinesWith("field");
    return fields.empty() ? std::string() : fields.back()["field"].get<std::string>();
  };
  WaitUntil([&] { return last_field() == expected; });
  EXPECT_EQ(last_field(), expected);
  driver.Disconnect();
}

}  // namespace
}  // namespace zor
