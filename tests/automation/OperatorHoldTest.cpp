// The operator's takeover of one device, through the pane's controller as the full control
// window calls it, on two devices whose runners share a clock the test moves by hand: the
// input holds only its own device's Apps, and they go on once the operator has been quiet for
// kOperatorQuietMs, woken by the worker's own deadline rather than by a picture.
#include <gtest/gtest.h>

#include "RunnerTestSupport.h"
#include "support/ManualClock.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::ScriptedFrame;

constexpr int64_t kNsPerMs = AutoRunner::kNsPerMs;

class OperatorHoldTest : public ::testing::Test {
 protected:
  OperatorHoldTest() {
    // Apps without a file: no Scenes, yet each frame is one step.
    held_.runner->AddApp(u"");
    other_.runner->AddApp(u"");
  }

  // Hands a frame to `device` and waits for its App's next step.
  static void Step(test::ScriptedClient& device, const test::RunRecorder& seen, const FramePtr& frame) {
    const uint64_t before = seen.Steps(0);
    device.client.OnFrame(frame);
    ASSERT_TRUE(seen.WaitForSteps(0, before + 1));
  }

  const FramePtr frame_ = ScriptedFrame(test::kScriptedWidth, test::kScriptedHeight, {});
  test::ManualClock clock_;
  test::RunRecorder seen_held_;
  test::RunRecorder seen_other_;
  test::ScriptedClient held_{seen_held_, clock_};
  test::ScriptedClient other_{seen_other_, clock_};
};

TEST_F(OperatorHoldTest, InputHoldsOnlyItsDeviceUntilTheOperatorHasBeenQuiet) {
  Step(held_, seen_held_, frame_);
  Step(other_, seen_other_, frame_);

  held_.pane.OperatorInput();
  ASSERT_TRUE(held_.pane.HeldForOperator());
  EXPECT_EQ(other_.runner->Hold(), HoldReason::kNone);
  // A held runner drops its frames as they come, so none is left to step on later.
  held_.client.OnFrame(frame_);
  Step(other_, seen_other_, frame_);
  EXPECT_EQ(seen_held_.Steps(0), 1u);

  // More input in the quiet time starts it again.
  clock_.Advance(3'000 * kNsPerMs);
  held_.pane.OperatorInput();
  clock_.Advance((kOperatorQuietMs - 1) * kNsPerMs);
  held_.client.OnFrame(frame_);
  EXPECT_TRUE(held_.pane.HeldForOperator());

  // The worker wakes at the end of the quiet time by itself: no picture is needed for it.
  clock_.Advance(1 * kNsPerMs);
  ASSERT_TRUE(test::WaitUntil([&] { return held_.runner->Hold() == HoldReason::kNone; }));
  Step(held_, seen_held_, frame_);
  EXPECT_EQ(seen_held_.Steps(0), 2u);
}

TEST_F(OperatorHoldTest, InputWithoutARunHoldsNothing) {
  held_.runner->StopRun();
  held_.pane.OperatorInput();
  EXPECT_FALSE(held_.pane.HeldForOperator());
  held_.runner->AddApp(u"");  // a run started after the input is not held by it
  EXPECT_FALSE(held_.pane.HeldForOperator());
}

}  // namespace
}  // namespace zor
