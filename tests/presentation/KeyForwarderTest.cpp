// Keys on their way from the full control window to the driver: message numbers and lParam
// bits as a Windows window gets them, the key-state table the hardware driver reads, the
// Korean/English toggle keys and the release of held keys when the window loses the keyboard.
#include <gtest/gtest.h>

#include "presentation/KeyForwarder.h"
#include "support/RecordingDriver.h"

namespace zor {
namespace {

// Writes down, with each key message, the live modifiers the hardware driver would read then.
class StateReadingDriver : public test::RecordingDriver {
 public:
  explicit StateReadingDriver(const HeldKeys& keys) : keys_(keys) {}
  void KeyEvent(uint32_t message, int64_t virtual_key, int64_t key_flags) override {
    RecordingDriver::KeyEvent(message, virtual_key, key_flags);
    std::string held = "held";
    for (uint32_t code : {vk::kShift, vk::kLeftShift, vk::kRightShift, vk::kMenu, vk::kLeftMenu}) {
      if (keys_.IsKeyDown(code)) held += " " + std::to_string(code);
    }
    Note(held);
  }

 private:
  const HeldKeys& keys_;
};

class KeyForwarderTest : public ::testing::Test {
 protected:
  void Press(uint32_t code, bool extended = false) { keys_.Key(&driver_, {code, extended}, true); }
  void Release(uint32_t code, bool extended = false) { keys_.Key(&driver_, {code, extended}, false); }

  HeldKeys state_;
  KeyForwarder keys_{state_};
  StateReadingDriver driver_{state_};
};

struct MessageCase {
  const char* name;
  std::vector<VirtualKey> held;  // pressed first, in order
  VirtualKey key;
  bool press;
  const char* expected;
};

TEST_F(KeyForwarderTest, MessagesAndFlagsFollowWindowsRules) {
  const std::vector<MessageCase> cases = {
      {"plain press", {}, {'A', false}, true, "KeyEvent 256 65 0x1"},
      {"plain release", {}, {'A', false}, false, "KeyEvent 257 65 0xc0000001"},
      {"extended press", {}, {39, true}, true, "KeyEvent 256 39 0x1000001"},
      {"extended release", {}, {46, true}, false, "KeyEvent 257 46 0xc1000001"},
      {"left Alt itself", {}, {vk::kLeftMenu, false}, true, "KeyEvent 260 164 0x20000001"},
      {"key with Alt held", {{vk::kLeftMenu, false}}, {'F', false}, true, "KeyEvent 260 70 0x20000001"},
      {"release with Alt held", {{vk::kLeftMenu, false}}, {'F', false}, false, "KeyEvent 261 70 0xe0000001"},
      {"Ctrl and Alt held", {{vk::kLeftControl, false}, {vk::kLeftMenu, false}}, {'F', false}, true,
       "KeyEvent 256 70 0x1"},
      {"F10 alone", {}, {vk::kF10, false}, true, "KeyEvent 260 121 0x1"},
      {"right Ctrl", {}, {vk::kRightControl, true}, true, "KeyEvent 256 163 0x1000001"},
      {"right Windows key", {}, {vk::kRightWin, true}, true, "KeyEvent 256 92 0x1000001"},
  };
  for (const MessageCase& c : cases) {
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
                                 "KeyEvent 256 160 0x1", "held 16 160",
                                 "KeyEvent 256 161 0x1", "held 16 160 161",
                                 "KeyEvent 257 160 0xc0000001", "held 16 161",  // Shift still down: right
                                 "KeyEvent 257 161 0xc0000001", "held",
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
  EXPECT_EQ(driver_.Lines(), (std::vector<std::string>{"KeyEvent 260 164 0x20000001", "held 18 164",
                                                       "KeyEvent 261 164 0xe0000001", "held",
                                                       "KeyEvent 260 165 0x20000001", "held 18"}));
}

TEST_F(KeyForwarderTest, ReleaseAllLetsGoOfEveryHeldKeyOnce) {
  Press(vk::kLeftShift);
  Press(vk::kLeftControl);
  Press(37, true);
  driver_.TakeLines();
  keys_.ReleaseAll(&driver_);
  keys_.ReleaseAll(&driver_);  // nothing is held any more
  EXPECT_EQ(driver_.Lines(), (std::vector<std::string>{"KeyEvent 257 37 0xc1000001", "held 16 160",
                                                       "KeyEvent 257 160 0xc0000001", "held",
                                                       "KeyEvent 257 162 0xc0000001", "held"}));
  for (uint32_t code = 0; code < HeldKeys::kKeyCount; ++code) EXPECT_FALSE(state_.IsKeyDown(code)) << code;
}

TEST_F(KeyForwarderTest, WithoutADriverTheKeyStateIsStillKept) {
  keys_.Key(nullptr, {vk::kLeftControl, false}, true);
  EXPECT_TRUE(state_.IsKeyDown(vk::kControl));
  keys_.Key(nullptr, {vk::kHangul, false}, false);  // nothing to toggle, nothing happens
  keys_.Key(nullptr, {0, false}, true);             // a key without a code is dropped
  keys_.Key(nullptr, {HeldKeys::kKeyCount, false}, true);
  keys_.ReleaseAll(nullptr);
  EXPECT_FALSE(state_.IsKeyDown(vk::kControl));
  EXPECT_FALSE(state_.IsKeyDown(vk::kLeftControl));
}

}  // namespace
}  // namespace zor
