// The hardware device driver's input side against zorkvm-sim: every report as the device
// decodes it, and the text that lands in the simulated screen's field.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "device/TesselLiteDriver.h"
#include "input/HangulTyping.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "support/RecordingOwner.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

constexpr int kOpenTimeoutMs = 10000;

KeyStroke Stroke(KeyAction action, uint8_t code) { return {action, {code, false}}; }

class TesselHidLive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim_.Ready()) << "zorkvm-sim did not start on " << sim_.Address();
    owner_ = std::make_unique<test::RecordingOwner>(sim_.Device());
    driver_ = std::make_unique<TesselLiteDriver>(*owner_);
    driver_->SetKeyStateSource(keys_);
  }

  void OpenInput() {
    ASSERT_TRUE(driver_->ConnectInput());
    for (int waited = 0; !driver_->InputChannelOpen() && waited < kOpenTimeoutMs; waited += 10) SleepMs(10);
    ASSERT_TRUE(driver_->InputChannelOpen());
  }

  std::vector<std::string> Reports(size_t count) { return sim_.WaitForReports(count); }

  // The text field after the last key report, or after the `index`th.
  std::u16string Field(size_t index = SIZE_MAX) {
    const auto lines = sim_.LinesWith("field");
    if (lines.empty()) return u"";
    return FromUtf8(lines[std::min(index, lines.size() - 1)]["field"].get<std::string>());
  }

  test::TesselSim sim_;
  HeldKeys keys_;
  std::unique_ptr<test::RecordingOwner> owner_;
  std::unique_ptr<TesselLiteDriver> driver_;
};

TEST_F(TesselHidLive, MouseScalingButtonsAndWheel) {
  OpenInput();
  driver_->MouseMove(0, 0);
  driver_->MouseMove(1920, 1080);
  driver_->MouseMove(960, 540);
  driver_->MouseMove(-1, 5000);  // off the screen: held at the nearest edge
  driver_->MouseMove(960, 540);
  driver_->MouseButton(PointerButton::Left, true);
  driver_->MouseButton(PointerButton::Right, true);  // replaces left
  driver_->MouseButton(PointerButton::Right, false);
  driver_->MouseWheel(true, -120);
  driver_->MouseWheel(false, 120);
  driver_->MouseWheel(false, 0);  // the delta decides, and 0 counts as down
  const std::vector<std::string> expected{
      "mouse 0 0 0 0",         "mouse 0 32767 32767 0", "mouse 0 16383 16383 0", "mouse 0 0 32767 0",
      "mouse 0 16383 16383 0", "mouse 1 16383 16383 0", "mouse 2 16383 16383 0", "mouse 0 16383 16383 0",
      "mouse 0 16383 16383 -1", "mouse 0 16383 16383 1", "mouse 0 16383 16383 -1",
  };
  EXPECT_EQ(Reports(expected.size()), expected);
}

TEST_F(TesselHidLive, KeyEventsCarryTheLiveModifiers) {
  OpenInput();
  keys_.SetKeyDown(160, true);  // left Shift
  driver_->KeyEvent(Stroke(KeyAction::Press, 'A'));
  driver_->KeyEvent(Stroke(KeyAction::Release, 'A'));
  keys_.ReleaseAll();
  keys_.SetKeyDown(163, true);  // right Ctrl
  keys_.SetKeyDown(164, true);  // left Alt
  driver_->KeyEvent(Stroke(KeyAction::Press, 'X'));
  driver_->KeyEvent(Stroke(KeyAction::Release, 'X'));
  keys_.ReleaseAll();
  driver_->KeyEvent(Stroke(KeyAction::Press, 229));  // consumed by the input method: nothing
  keys_.SetKeyDown(165, true);                // right Alt, as a modifier key
  driver_->KeyEvent(Stroke(KeyAction::Press, 165));
  keys_.SetKeyDown(165, false);
  driver_->KeyEvent(Stroke(KeyAction::Release, 165));
  driver_->KeyEvent(Stroke(KeyAction::Press, 46));  // Delete: not in the device's table
  driver_->KeyEvent(Stroke(KeyAction::Press, 25));  // Hanja
  driver_->KeyEvent(Stroke(KeyAction::Release, 25));
  keys_.SetKeyDown(91, true);  // left Windows: a usage and a live modifier bit
  driver_->KeyEvent(Stroke(KeyAction::Press, 91));
  const std::vector<std::string> expected{
      "key 2 4",  "key 2 0",  "key 20 27", "key 20 0", "key 64 0", "key 0 0",   "key 0 0",
      "key 0 79", "key 0 0",  "key 0 144", "key 0 0",  "key 8 227",
  };
  EXPECT_EQ(Reports(expected.size()), expected);
}

TEST_F(TesselHidLive, CombinationsAndTheLanguageKey) {
  OpenInput();
  driver_->KeyCombo(0x01, 0x06);  // Ctrl+C
  driver_->ToggleHangulMode();
  const std::vector<std::string> expected{"key 1 6", "key 0 0", "key 64 0", "key 0 0"};
  EXPECT_EQ(Reports(expected.size()), expected);
}

TEST_F(TesselHidLive, TypeTextSwitchesToKoreanAndBack) {
  OpenInput();
  driver_->TypeText(u"\uAC00 a");
  // right Alt, r, k, space (still Korean), right Alt, a.
  const std::vector<std::string> expected{"key 64 0", "key 0 0", "key 0 21", "key 0 0", "key 0 14", "key 0 0",
                                          "key 0 44", "key 0 0", "key 64 0", "key 0 0", "key 0 4",  "key 0 0"};
  EXPECT_EQ(Reports(expected.size()), expected);
  EXPECT_EQ(Field(), u"\uAC00 a");
}

TEST_F(TesselHidLive, TypeTextOfAsciiSkipsCarriageReturn) {
  OpenInput();
  driver_->TypeText(u"Ab1!\r\n");
  const std::vector<std::string> expected{"key 2 4",  "key 0 0", "key 0 5", "key 0 0", "key 0 30",
                                          "key 0 0",  "key 2 30", "key 0 0", "key 0 40", "key 0 0"};
  EXPECT_EQ(Reports(expected.size()), expected);
  EXPECT_EQ(Field(7), u"Ab1!");
  EXPECT_EQ(Field(), u"");  // Enter submitted the field
}

TEST_F(TesselHidLive, TypedLettersAddTheModifierStateOfTheLastKeyEvent) {
  OpenInput();
  keys_.SetKeyDown(163, true);  // right Ctrl
  driver_->KeyEvent(Stroke(KeyAction::Press, 'Q'));
  driver_->KeyEvent(Stroke(KeyAction::Release, 'Q'));
  driver_->TypeText(u"A");
  const std::vector<std::string> expected{"key 16 20", "key 16 0", "key 18 4", "key 16 0"};
  EXPECT_EQ(Reports(expected.size()), expected);
}

TEST_F(TesselHidLive, KoreanTextComposesOnTheDevice) {
  OpenInput();
  const std::u16string text = u"\uD55C\uAE00 \uB2ED, \uBDC1!";  // "han-geul dalk, bwelk!"
  driver_->TypeText(text);
  // Every step, key or language switch, is one press and one release.
  const size_t reports = 2 * PlanTyping(text).size();
  const auto lines = sim_.WaitForLines("field", reports);
  ASSERT_EQ(lines.size(), reports);
  EXPECT_EQ(Field(), text);
  EXPECT_FALSE(lines.back()["korean"].get<bool>());  // left in English mode
}

TEST_F(TesselHidLive, NothingIsSentWhileTheChannelIsClosed) {
  driver_->MouseMove(10, 10);
  driver_->KeyCombo(0, 4);
  driver_->TypeText(u"x");
  OpenInput();
  driver_->MouseButton(PointerButton::Left, true);
  driver_->DisconnectInput();
  driver_->MouseButton(PointerButton::Left, false);
  EXPECT_EQ(Reports(1), std::vector<std::string>{"mouse 1 0 0 0"});
  EXPECT_EQ(sim_.WaitForLines("event", 2).back()["event"], "close");
  EXPECT_EQ(Reports(1).size(), 1u);
}

TEST_F(TesselHidLive, InputSentAfterATextComesAfterIt) {
  OpenInput();
  const InputCompletion typed = driver_->TypeText(u"ab");
  driver_->MouseMove(0, 0);
  const InputCompletion combo = driver_->KeyCombo(0x01, 0x06);
  driver_->KeyEvent(Stroke(KeyAction::Press, 'C'));
  const std::vector<std::string> expected{"key 0 4", "key 0 0", "key 0 5",  "key 0 0",
                                          "mouse 0 0 0 0", "key 1 6", "key 0 0", "key 0 6"};
  EXPECT_EQ(Reports(expected.size()), expected);
  EXPECT_EQ(typed.Wait(), InputCompletion::Outcome::Sent);
  EXPECT_EQ(combo.Wait(), InputCompletion::Outcome::Sent);
}

TEST_F(TesselHidLive, ATextTooLongIsRefusedWhole) {
  OpenInput();
  const std::u16string text(TesselLiteDriver::kMaxTypedTextUnits + 1, u'a');
  EXPECT_EQ(driver_->TypeText(text).Result(), InputCompletion::Outcome::Refused);
  driver_->MouseMove(0, 0);
  EXPECT_EQ(Reports(1), std::vector<std::string>{"mouse 0 0 0 0"});
}

// A long text (close to a minute of typing) is cut short by the driver letting go of the device.
TEST_F(TesselHidLive, DisconnectingOrDeletingTheDriverWhileTypingStopsTheText) {
  struct Case {
    const char* name;
    std::function<void(std::unique_ptr<TesselLiteDriver>&)> let_go;
  };
  const Case cases[] = {
      {"Disconnect", [](std::unique_ptr<TesselLiteDriver>& d) { d->Disconnect(); }},
      {"deleted", [](std::unique_ptr<TesselLiteDriver>& d) { d.reset(); }},
  };
  const auto closes = [this] {
    size_t n = 0;
    for (const auto& line : sim_.LinesWith("event")) n += line["event"] == "close";
    return n;
  };
  const std::u16string text(2000, u'a');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    driver_ = std::make_unique<TesselLiteDriver>(*owner_);
    OpenInput();
    const size_t reports_before = sim_.LinesWith("report").size();
    const size_t closes_before = closes();
    const InputCompletion typed = driver_->TypeText(text);
    sim_.WaitForReports(reports_before + 1);
    c.let_go(driver_);
    EXPECT_EQ(typed.Wait(), InputCompletion::Outcome::Cancelled);
    // Once the device saw the channel close, every report that was sent has arrived.
    ASSERT_TRUE(test::WaitUntil([&] { return closes() > closes_before; }));
    EXPECT_LT(sim_.LinesWith("report").size() - reports_before, 2 * text.size());
  }
}

}  // namespace
}  // namespace zor
