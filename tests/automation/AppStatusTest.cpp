// The status record each App's worker publishes after its steps, read through the pane's
// controller as the pane's strip reads it: names, the best score against the threshold, the
// last action and its age, the step rate and the state, on a clock the test moves by hand.
#include <gtest/gtest.h>

#include <functional>

#include "AutomationTestSupport.h"
#include "RunnerTestSupport.h"
#include "support/ManualClock.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::ScriptedFrame;
using test::TargetItem;

constexpr int64_t kNsPerMs = AutoRunner::kNsPerMs;
constexpr uint32_t kSeed = 61;

class AppStatusTest : public ::testing::Test {
 protected:
  AppStatusTest() {
    // The test moves the clock far between pictures: no hold unless a case asks for one.
    scripted_.runner->SetWatchdogSettings({.no_signal_ms = 0});
  }

  // An App "Shop" whose Scene "Login" has the Item "OK" with `script`.
  void StartShop(const std::u16string& script) {
    SceneData scene;
    scene.Name = u"Login";
    scene.Items = {TargetItem(u"OK", kSeed, script)};
    ASSERT_TRUE(scene.Save(u"Login" + std::u16string(kSceneExtension)));
    AppInfo app;
    app.Name = u"Shop";
    app.Scenes = {u"Login"};
    ASSERT_TRUE(app.Save());
    scripted_.runner->AddApp(u"Shop");
  }

  void Step(const FramePtr& frame) {
    const uint64_t before = recorder_.Steps(0);
    scripted_.client.OnFrame(frame);
    ASSERT_TRUE(recorder_.WaitForSteps(0, before + 1));
  }

  AppStatus Status() const {
    const RunnerStatus status = scripted_.pane.AutomationStatus();
    EXPECT_EQ(status.apps.size(), 1u);
    return status.apps.empty() ? AppStatus{} : status.apps.front();
  }

  void AdvanceMs(int64_t ms) { clock_.Advance(ms * kNsPerMs); }

  const FramePtr hit_ = ScriptedFrame(test::kScriptedWidth, test::kScriptedHeight, {{kSeed, 30, 20}});
  const FramePtr miss_ = ScriptedFrame(test::kScriptedWidth, test::kScriptedHeight, {});
  test::TempProgramFolder folder_;
  test::ManualClock clock_;
  test::RunRecorder recorder_;
  test::ScriptedClient scripted_{recorder_, clock_};
};

TEST_F(AppStatusTest, AMatchNamesTheItemWithItsScoreAndItsActionAges) {
  StartShop(u"action CLK");
  AdvanceMs(5'000);
  Step(hit_);

  const AppStatus status = Status();
  EXPECT_EQ(status.app, u"Shop");
  EXPECT_EQ(status.scene, u"Login");
  EXPECT_EQ(status.item, u"OK");
  ASSERT_TRUE(status.score.has_value());
  EXPECT_GE(*status.score, status.threshold);
  EXPECT_EQ(status.threshold, kDefaultThreshold);
  EXPECT_EQ(status.state, AppRunState::kRunning);
  EXPECT_EQ(status.last_action, ActionCode::Clk);
  EXPECT_EQ(status.last_action_ms, 5'000);
  EXPECT_EQ(status.steps, 1u);

  AdvanceMs(3'000);
  EXPECT_EQ(scripted_.pane.AutomationStatus().now_ms - status.last_action_ms, 3'000) << "the age runs on between steps";
}

TEST_F(AppStatusTest, AMissKeepsTheBestScoreSeenBelowTheThreshold) {
  StartShop(u"action CLK");
  Step(miss_);

  const AppStatus status = Status();
  EXPECT_EQ(status.item, u"OK");
  ASSERT_TRUE(status.score.has_value()) << "a miss still says how close it came";
  EXPECT_LT(*status.score, status.threshold);
  EXPECT_EQ(status.state, AppRunState::kWaitingForMatch);
  EXPECT_EQ(status.last_action, ActionCode::None);
}

TEST_F(AppStatusTest, StepsPerSecondComeFromTheLastSecondOfSteps) {
  StartShop(u"");
  for (int i = 0; i < 4; ++i) {
    AdvanceMs(250);
    Step(miss_);
  }
  const AppStatus status = Status();
  EXPECT_EQ(status.steps, 4u);
  EXPECT_DOUBLE_EQ(status.steps_per_s, 4.0);
  EXPECT_EQ(status.last_step_ms, 1'000);
}

TEST_F(AppStatusTest, AStallShowsUntilTheNextMatchAndAFinishedSceneShowsIdle) {
  scripted_.runner->SetWatchdogSettings({.no_signal_ms = 0, .stall_ms = 1'000});
  StartShop(u"final");
  Step(miss_);
  AdvanceMs(1'000);
  Step(miss_);
  EXPECT_EQ(Status().state, AppRunState::kStalled);
  Step(hit_);
  EXPECT_EQ(Status().state, AppRunState::kIdle) << "\"final\" left the Scene without an active Item";
}

TEST_F(AppStatusTest, APauseOrAHoldShowsWithItsReason) {
  struct Case {
    const char* name;
    std::function<void()> hold;
    std::function<void()> release;
    HoldReason reason;
  };
  const std::vector<Case> cases = {
      {"the pause button", [&] { scripted_.runner->SetPaused(true); }, [&] { scripted_.runner->SetPaused(false); },
       HoldReason::kNone},
      {"the operator's input", [&] { scripted_.pane.OperatorInput(); }, [&] { AdvanceMs(kOperatorQuietMs); },
       HoldReason::kOperator},
  };
  StartShop(u"");
  Step(miss_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.hold();
    AppStatus status = Status();
    EXPECT_EQ(status.state, AppRunState::kPaused);
    EXPECT_EQ(status.hold, c.reason);
    c.release();
    ASSERT_TRUE(test::WaitUntil([&] { return scripted_.runner->Hold() == HoldReason::kNone; }));
    Step(miss_);
    EXPECT_EQ(Status().state, AppRunState::kWaitingForMatch);
  }
}

TEST_F(AppStatusTest, NoSignalShowsAsAPauseForThatReason) {
  scripted_.runner->SetWatchdogSettings({.no_signal_ms = 10'000});
  StartShop(u"");
  Step(miss_);
  AdvanceMs(10'000);
  ASSERT_TRUE(test::WaitUntil([&] { return scripted_.runner->Hold() == HoldReason::kNoSignal; }));
  const AppStatus status = Status();
  EXPECT_EQ(status.state, AppRunState::kPaused);
  EXPECT_EQ(status.hold, HoldReason::kNoSignal);
}

TEST_F(AppStatusTest, NoRunNoRecords) {
  EXPECT_TRUE(scripted_.pane.AutomationStatus().apps.empty());
  StartShop(u"");
  scripted_.runner->StopRun();
  EXPECT_TRUE(scripted_.pane.AutomationStatus().apps.empty());
}

}  // namespace
}  // namespace zor
