// Keys on their way from the full control window to the driver: one press or release per key
// with its extended flag, the key-state table the hardware driver reads, the Korean/English
// toggle keys and the release of held keys when the window loses the keyboard.
#include <gtest/gtest.h>

#include "presentation/KeyForwarder.h"
#include "support/RecordingDriver.h"

namespace zor {
namespace {

// Writes down, with each key message, the live modifiers the hardware driver would read then.
class StateReadingDriver : public test::RecordingDriver {
 public:
  explicit StateReadingDriver(const HeldKeys& keys) : keys_(keys) {}
  void KeyEvent(KeyStroke stroke) override {
    RecordingDriver::KeyEvent(stroke);
    std::string held = "held";
    for (uint8_t code : {vk::kShift, vk::kLeftShift, vk::kRightShift, vk::kMenu, vk::kLeftMenu}) {
      if (keys_.IsKeyDown(code)) held += " " + std::to_string(code);
    }
    Note(held);
  }

 private:
  const HeldKeys& keys_;
};

class KeyForwarderTest : public ::testing::Test {
 protected:
  void Press(uint8_t code, bool extended = false) { keys_.Key(&driver_, {code, extended}, true); }
  void Release(uint8_t code, bool extended = false) { keys_.Key(&driver_, {code, extended}, false); }

  HeldKeys state_;
  KeyForwarder keys_{state_};
  StateReadingDriver driver_{state_};
};

struct StrokeCase {
  const char* name;
  std::vector<VirtualKey> held;  // pressed first, in order
  VirtualKey key;
  bool press;
  const char* expected;
};

TEST_F(KeyForwarderTest, EachKeyReachesTheDriverAsOnePressOrReleaseWithItsExtendedFlag) {
  const std::vector<StrokeCase> cases = {
      {"plain press", {}, {'A', false}, true, "KeyEvent press 65"},
      {"plain release", {}, {'A', false}, false, "KeyEvent release 65"},
      {"extended press", {}, {39, true}, true, "KeyEvent press 39 extended"},
      {"extended release", {}, {46, true}, false, "KeyEvent release 46 extended"},
      {"left Alt itself", {}, {vk::kLeftMenu, false}, true, "KeyEvent press 164"},
      {"key with Alt held", {{vk::kLeftMenu, false}}, {'F', false}, true, "KeyEvent press 70"},
      {"release with Alt held", {{vk::kLeftMenu, false}}, {'F', false}, false, "KeyEvent release 70"},
      {"Ctrl and Alt held", {{vk::kLeftControl, false}, {vk::kLeftMenu, false}}, {'F', false}, true,
       "KeyEvent press 70"},
      {"F10 alone", {}, {121, false}, true, "KeyEvent press 121"},
      {"right Ctrl", {}, {vk::kRightControl, true}, true, "KeyEvent press 163 extended"},
      {"right Windows key", {}, {vk::kRightWin, true}, true, "KeyEvent press 92 extended"},
  };
  for (const StrokeCase& c : cases) {
    HeldKeys state;
    KeyForwarder keys(state);
    test::RecordingDriver driver;
    for (VirtualKey k : c.held) keys.Key(&driver, k, true);
    driver.TakeLines();
    keys.Key(&driver, c.key, c.press);
    EXPECT_EQ(driver.Lines(), std::vector<std::string>{c.expected}) << c.name;
  }
}

TEST_F(KeyForwarderTest, TheDriverSeesAModifierHeldOnItsPressAndNoLongerOnItsRelease) {
  Press(vk::kLeftShift);
  Press(vk::kRightShift);
  Release(vk::kLeftShift);
  Release(vk::kRightShift);
  EXPECT_EQ(driver_.Lines(), (std::vector<std::string>{
                                 "KeyEvent press 160", "held 16 160",
                                 "KeyEvent press 161", "held 16 160 161",
                                 "KeyEvent release 160", "held 16 161",  // Shift still down: right
                                 "KeyEvent release 161", "held",
                             }));
}

TEST_F(KeyForwarderTest, HangulAndExtendedRightAltToggleOnReleaseOnly) {
  Press(vk::kHangul);
  Release(vk::kHangul);
  Press(vk::kRightMenu, true);
  Press(vk::kRightMenu, true);  // held: repeated presses
  Release(vk::kRightMenu, true);
  EXPECT_EQ(driver_.Lines(), (std::vector<std::string>{"ToggleHangulMode", "ToggleHangulMode"}));
  EXPECT_FALSE(state_.IsKeyDown(vk::kRightMenu)) << "a toggle key is no modifier for the device";

  driver_.TakeLines();
  Press(vk::kLeftMenu);
  Release(vk::kLeftMenu);
  Press(vk::kRightMenu, false);  // right Alt without the extended flag is an ordinary key
  EXPECT_EQ(driver_.Lines(), (std::vector<std::string>{"KeyEvent press 164", "held 18 164",
                                                       "KeyEvent release 164", "held",
                                                       "KeyEvent press 165", "held 18"}));
}

TEST_F(KeyForwarderTest, ReleaseAllLetsGoOfEveryHeldKeyOnce) {
  Press(vk::kLeftShift);
  Press(vk::kLeftControl);
  Press(37, true);
  driver_.TakeLines();
  keys_.ReleaseAll(&driver_);
  keys_.ReleaseAll(&driver_);  // nothing is held any more
  EXPECT_EQ(driver_.Lines(), (std::vector<std::string>{"KeyEvent release 37 extended", "held 16 160",
                                                       "KeyEvent release 160", "held",
                                                       "KeyEvent release 162", "held"}));
  for (uint32_t code = 0; code < HeldKeys::kKeyCount; ++code) EXPECT_FALSE(state_.IsKeyDown(code)) << code;
}

TEST_F(KeyForwarderTest, WithoutADriverTheKeyStateIsStillKept) {
  keys_.Key(nullptr, {vk::kLeftControl, false}, true);
  EXPECT_TRUE(state_.IsKeyDown(vk::kControl));
  keys_.Key(nullptr, {vk::kHangul, false}, false);  // nothing to toggle, nothing happens
  keys_.Key(nullptr, {0, false}, true);             // a key without a code is dropped
  keys_.ReleaseAll(nullptr);
  EXPECT_FALSE(state_.IsKeyDown(vk::kControl));
  EXPECT_FALSE(state_.IsKeyDown(vk::kLeftControl));
}

}  // namespace
}  // namespace zor
