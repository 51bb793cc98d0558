// ExecuteAction: the exact driver calls and waits of every action code, through a client whose
// driver records each call. The waits are recorded in call order instead of being slept.
#include <gtest/gtest.h>

#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "automation/ActionExecution.h"
#include "AutomationTestSupport.h"
#include "RunnerTestSupport.h"

namespace zor {
namespace {

using test::KeyAction;
using test::PointAction;
using test::TextAction;

using Lines = std::vector<std::string>;

Lines ClickAt(const std::string& button, int x, int y) {
  return {"MouseMove " + std::to_string(x) + " " + std::to_string(y), "wait 30", "MouseButton " + button + " down", "wait 30",
          "MouseButton " + button + " up", "wait 10"};
}

Lines DoubleClickAt(const std::string& button, int x, int y) {
  Lines lines = ClickAt(button, x, y);
  lines.push_back("wait 80");
  const Lines second = ClickAt(button, x, y);
  lines.insert(lines.end(), second.begin(), second.end());
  lines.push_back("wait 10");
  return lines;
}

class ActionExecution : public ::testing::Test {
 protected:

  Lines Execute(const ItemAction& action) {
    ExecuteAction(action, client_, {[this](int64_t ms) { driver_->Note("wait " + std::to_string(ms)); }});
    return driver_->Lines();
  }

  test::RunRecorder unused_;
  test::ScriptedClient scripted_{unused_};
  DeviceSession& client_ = scripted_.client;
  test::RecordingDriver* driver_ = scripted_.driver;
};

struct SequenceCase {
  const char* name;
  ItemAction action;
  Lines expected;
};

TEST_F(ActionExecution, EveryCodeMakesItsSequenceOfCallsAndWaits) {
  const std::vector<SequenceCase> cases = {
      {"CLK", PointAction(ActionCode::Clk, 116, 208), ClickAt("left", 116, 208)},
      {"CLKRE", PointAction(ActionCode::ClkRe, 105, 197), ClickAt("left", 105, 197)},
      {"RCLK", PointAction(ActionCode::RClk, 1, 2), ClickAt("right", 1, 2)},
      {"RCLKRE", PointAction(ActionCode::RClkRe, 3, 4), ClickAt("right", 3, 4)},
      {"DBLCLK", PointAction(ActionCode::DblClk, 5, 6), DoubleClickAt("left", 5, 6)},
      {"DBLCLKRE", PointAction(ActionCode::DblClkRe, 5, 6), DoubleClickAt("left", 5, 6)},
      {"RDBLCLK", PointAction(ActionCode::RDblClk, 7, 8), DoubleClickAt("right", 7, 8)},
      {"RDBLCLKRE", PointAction(ActionCode::RDblClkRe, 7, 8), DoubleClickAt("right", 7, 8)},
      {"MOVE", PointAction(ActionCode::Move, -3, 9), {"MouseMove -3 9", "wait 10"}},
      {"MOVERE", PointAction(ActionCode::MoveRe, 4, 4), {"MouseMove 4 4", "wait 10"}},
      {"DRAG",
       PointAction(ActionCode::Drag, 10, 20, 500, 600),
       {"MouseMove 10 20", "wait 30", "MouseButton left down", "wait 50", "MouseMove 500 600", "wait 50", "MouseButton left up",
        "wait 10"}},
      {"DRAGRE with a missing end y",
       PointAction(ActionCode::DragRe, 11, 21, 500, 0),
       {"MouseMove 11 21", "wait 30", "MouseButton left down", "wait 50", "MouseMove 500 0", "wait 50", "MouseButton left up",
        "wait 10"}},
      {"KEY Enter", KeyAction(40, 0), {"KeyCombo 0 40", "wait 10"}},
      {"KEY capital A", KeyAction(4, 2), {"KeyCombo 2 4", "wait 10"}},
      {"INPUT", TextAction(ActionCode::Input, u"two words"), {"TypeText two words", "wait 10"}},
      {"INPUT Korean", TextAction(ActionCode::Input, u"\uD55C\uAE00"), {"TypeText \xED\x95\x9C\xEA\xB8\x80", "wait 10"}},
      {"INPUT_ID", TextAction(ActionCode::InputId, u"TestID"), {"TypeText TestID", "wait 10"}},
      {"INPUT_PASS", TextAction(ActionCode::InputPass, u"pw"), {"TypeText pw", "wait 10"}},
      {"INPUT_STR", TextAction(ActionCode::InputStr, u"s"), {"TypeText s", "wait 10"}},
      {"INPUT_ETC", TextAction(ActionCode::InputEtc, u"e"), {"TypeText e", "wait 10"}},
      {"INPUT without text: nothing, no time", TextAction(ActionCode::Input, u""), {}},
      {"NONE", PointAction(ActionCode::None, 1, 1), {}},
      {"an unknown code", PointAction(static_cast<ActionCode>(99), 1, 1), {}},
  };
  for (const SequenceCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto fresh = std::make_unique<test::RecordingDriver>();
    driver_ = fresh.get();
    client_.SetDriver(std::move(fresh));
    EXPECT_EQ(Execute(c.action), c.expected);
  }
}

TEST_F(ActionExecution, WithoutADriverNothingHappensAndNoTimeIsSpent) {
  client_.SetDriver(nullptr);
  int waits = 0;
  for (const ItemAction& a : {PointAction(ActionCode::Clk, 1, 1), PointAction(ActionCode::Drag, 1, 1, 2, 2), KeyAction(40, 0)}) {
    ExecuteAction(a, client_, {[&](int64_t) { ++waits; }});
  }
  EXPECT_EQ(waits, 0);
}

TEST_F(ActionExecution, ADriverReplacedDuringTheActionTakesTheRestOfIt) {
  // The wait after the press replaces the driver, as RecreateDriver does for a changed device:
  // the old one is deleted there and must never be called again.
  test::RecordingDriver* second = nullptr;
  int waits = 0;
  ExecuteAction(PointAction(ActionCode::Clk, 5, 5), client_, {[&](int64_t) {
                  if (++waits != 2) return;
                  auto replacement = std::make_unique<test::RecordingDriver>();
                  second = replacement.get();
                  client_.SetDriver(std::move(replacement));
                }});
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Lines(), Lines{"MouseButton left up"});
}

// Returns `sent` from the timed sequences instead of a completed one: the test decides when the
// device has the whole text.
class TypingDriver : public test::RecordingDriver {
 public:
  explicit TypingDriver(InputCompletion sent) : sent_(std::move(sent)) {}
  InputCompletion KeyCombo(uint8_t modifiers, uint8_t usage) override {
    RecordingDriver::KeyCombo(modifiers, usage);
    return sent_;
  }
  InputCompletion TypeText(const std::u16string& text) override {
    RecordingDriver::TypeText(text);
    return sent_;
  }

 private:
  InputCompletion sent_;
};

TEST_F(ActionExecution, ATimedSequenceIsWaitedForWithoutHoldingTheDriver) {
  for (const ItemAction& action : {TextAction(ActionCode::Input, u"long text"), KeyAction(40, 0)}) {
    SCOPED_TRACE(static_cast<int>(action.Code));
    const InputCompletion sent = InputCompletion::Pending();
    auto typing = std::make_unique<TypingDriver>(sent);
    TypingDriver* typing_driver = typing.get();
    client_.SetDriver(std::move(typing));
    std::mutex mutex;
    std::vector<std::string> events;
    const auto note = [&](std::string event) {
      std::lock_guard lock(mutex);
      events.push_back(std::move(event));
    };
    std::thread worker([&] { ExecuteAction(action, client_, {[&](int64_t ms) { note("wait " + std::to_string(ms)); }}); });
    ASSERT_TRUE(typing_driver->WaitForCalls(1));
    // Editing the device replaces the driver while the device is still typing.
    client_.SetDriver(std::make_unique<test::RecordingDriver>());
    note("driver replaced");
    sent.Finish(InputCompletion::Outcome::Sent);
    worker.join();
    EXPECT_EQ(events, (Lines{"driver replaced", "wait 10"})) << "the action's own wait follows the sequence";
  }
}

TEST_F(ActionExecution, AStoppedRunNoLongerWaitsForTheSequence) {
  auto typing = std::make_unique<TypingDriver>(InputCompletion::Pending());  // never ends
  driver_ = typing.get();
  client_.SetDriver(std::move(typing));
  std::stop_source stop;
  stop.request_stop();
  ExecuteAction(TextAction(ActionCode::Input, u"x"), client_,
                {[this](int64_t ms) { driver_->Note("wait " + std::to_string(ms)); }, stop.get_token()});
  EXPECT_EQ(driver_->Lines(), (Lines{"TypeText x", "wait 10"}));
}

TEST_F(ActionExecution, ActionPointIsKnownForPointerCodesOnly) {
  int32_t x = 0, y = 0;
  EXPECT_TRUE(ActionPoint(PointAction(ActionCode::DragRe, 3, 4, 9, 9), x, y));
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(3, 4));
  EXPECT_TRUE(ActionPoint(PointAction(ActionCode::Clk, 1, 2), x, y));
  EXPECT_FALSE(ActionPoint(KeyAction(40, 0), x, y));
  EXPECT_FALSE(ActionPoint(PointAction(ActionCode::None, 1, 1), x, y));
}

}  // namespace
}  // namespace zor
