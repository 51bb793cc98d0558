// A worker that fails inside its step: its App stops, the others go on, and the device shows
// Error with the reason until the operator stops the run.
#include <gtest/gtest.h>

#include <stdexcept>

#include "AutomationTestSupport.h"
#include "RunnerTestSupport.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::ScriptedFrame;
using test::TargetItem;

constexpr uint32_t kSeed = 57;
constexpr int32_t kFailingApp = 1;

// Records like the others, but the analysis results of one App cannot be taken: its worker's
// step throws from inside, as a step that runs out of memory does.
class RefusingRecorder : public test::RunRecorder {
 public:
  void OnItemEvaluated(const AppInfo& app, const Item& item, const WorkRect& area, const AnalysisResult& result) override {
    RunRecorder::OnItemEvaluated(app, item, area, result);
    if (app.Index == kFailingApp) throw std::runtime_error("no room for the result");
  }
};

class WorkerFailureTest : public ::testing::Test {
 protected:
  WorkerFailureTest() {
    for (int32_t app = 0; app <= kFailingApp; ++app) {
      auto scene = std::make_shared<SceneData>();
      scene->Items = {TargetItem(u"t", kSeed)};
      scripted_.runner->StartSceneRun(u"", scene, nullptr);
    }
    scripted_.client.OnFrame(frame_);
  }

  test::TempProgramFolder folder_;
  RefusingRecorder recorder_;
  test::ScriptedClient scripted_{recorder_};
  DeviceSession& session_ = scripted_.client;
  const FramePtr frame_ = ScriptedFrame(test::kScriptedWidth, test::kScriptedHeight, {{kSeed, 10, 10}});
};

TEST_F(WorkerFailureTest, TheFailingAppStopsTheOthersGoOnAndTheDeviceShowsWhy) {
  ASSERT_TRUE(test::WaitUntil([&] { return session_.State() == ConnectionState::Error; }));
  EXPECT_EQ(session_.LastError(), "App 1 stopped: no room for the result");
  ASSERT_TRUE(recorder_.WaitForSteps(0, 1));

  const uint64_t failed_steps = recorder_.Steps(kFailingApp);
  session_.OnFrame(frame_);
  ASSERT_TRUE(recorder_.WaitForSteps(0, 2)) << "App 0 goes on";
  EXPECT_EQ(session_.State(), ConnectionState::Error) << "frames leave the Error up";
  EXPECT_EQ(recorder_.Evaluations(kFailingApp).size(), 1u);
  EXPECT_EQ(recorder_.Steps(kFailingApp), failed_steps);
  const RunnerStatus status = scripted_.pane.AutomationStatus();
  ASSERT_EQ(status.apps.size(), 2u);
  EXPECT_EQ(status.apps[kFailingApp].state, AppRunState::kError) << "its pane's strip says so too";
  EXPECT_NE(status.apps[0].state, AppRunState::kError);
}

TEST_F(WorkerFailureTest, TheOperatorsNextPressOfTheStartButtonTakesTheErrorDown) {
  ASSERT_TRUE(test::WaitUntil([&] { return session_.State() == ConnectionState::Error; }));
  scripted_.pane.Execute(PaneCommand::ToggleAutomation);
  EXPECT_EQ(session_.State(), ConnectionState::Streaming);
  EXPECT_EQ(session_.LastError(), "");
}

}  // namespace
}  // namespace zor
