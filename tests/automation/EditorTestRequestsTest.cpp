// The scene editor's test requests as the client acts on them, frame by frame, with the real
// runner: an Item test, a Scene run, stopping each, and an editor that goes away mid-run.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "AutomationTestSupport.h"
#include "RunnerTestSupport.h"
#include "automation/AutoRunner.h"

namespace zor {
namespace {

using test::ScriptedFrame;
using test::TargetItem;

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 90;
constexpr uint32_t kSeed = 101;

class FakeEditor : public ISceneEditorLink {
 public:
  EditorTestState TestState() const override { return state_.load(); }
  void SetTestState(EditorTestState state) override { state_.store(state); }
  std::shared_ptr<Item> SelectedItem() override { return selected; }
  std::shared_ptr<SceneData> EditedScene() override { return scene; }
  void ClearTestBestMatch() override {
    std::lock_guard lock(mutex_);
    best_.reset();
    ++clears_;
  }
  void SetTestBestMatch(const MatchRecord& best) override {
    std::lock_guard lock(mutex_);
    best_ = best;
  }
  void SetLastAction(const ActionMark& mark) override {
    std::lock_guard lock(mutex_);
    mark_ = mark;
  }

  std::optional<MatchRecord> Best() const {
    std::lock_guard lock(mutex_);
    return best_;
  }
  ActionMark Mark() const {
    std::lock_guard lock(mutex_);
    return mark_;
  }
  int Clears() const {
    std::lock_guard lock(mutex_);
    return clears_;
  }

  std::shared_ptr<Item> selected;
  std::shared_ptr<SceneData> scene = std::make_shared<SceneData>();

 private:
  std::atomic<EditorTestState> state_{EditorTestState::Idle};
  mutable std::mutex mutex_;
  std::optional<MatchRecord> best_;
  ActionMark mark_;
  int clears_ = 0;
};

class EditorTestRequests : public ::testing::Test {
 protected:
  EditorTestRequests() : client_(&device_) {
    device_.Type = 7;
    device_.Apps = {u"Creds"};
    auto runner = std::make_unique<AutoRunner>(client_);
    runner_ = runner.get();
    runner_->SetObserver(&recorder_);
    client_.SetAutomation(std::move(runner));
    client_.CreateClient();
    auto driver = std::make_unique<test::RecordingDriver>();
    driver_ = driver.get();
    client_.SetDriver(std::move(driver));
    client_.AttachSceneEditor(&editor_);
  }
  ~EditorTestRequests() override { client_.DetachSceneEditor(); }

  void Frame() { client_.OnFrame(frame_); }

  test::TempProgramFolder folder_;
  test::RunRecorder recorder_;
  FakeEditor editor_;
  DeviceInfo device_;
  KVMClient client_;
  AutoRunner* runner_ = nullptr;
  test::RecordingDriver* driver_ = nullptr;
  const FramePtr frame_ = ScriptedFrame(kWidth, kHeight, {{kSeed, 40, 30}});
};

TEST_F(EditorTestRequests, AnItemTestStartsOnTheNextFrameAndStopsOnRequest) {
  editor_.selected = TargetItem(u"sel", kSeed, u"action CLK");
  editor_.SetTestState(EditorTestState::ItemTestRequested);
  Frame();
  EXPECT_EQ(editor_.TestState(), EditorTestState::ItemTestRunning);
  EXPECT_TRUE(runner_->Running());
  EXPECT_EQ(runner_->Mode(), RunMode::TestItem);
  EXPECT_TRUE(client_.AutomationActive());
  // The request's own frame already reaches the new worker.
  ASSERT_TRUE(recorder_.WaitForSteps(0, 1));
  ASSERT_TRUE(editor_.Best());
  EXPECT_EQ(editor_.Best()->Left, 40);
  EXPECT_EQ(driver_->Count(), 0u);

  editor_.SetTestState(EditorTestState::ItemTestStopRequested);
  Frame();
  EXPECT_EQ(editor_.TestState(), EditorTestState::Idle);
  EXPECT_FALSE(runner_->Running());
  EXPECT_FALSE(client_.AutomationActive());
  EXPECT_FALSE(editor_.Best());
  EXPECT_EQ(editor_.selected.use_count(), 1);
}

TEST_F(EditorTestRequests, ASceneRunUsesTheEditorsSceneUnderTheDevicesFirstApp) {
  AppInfo creds;
  creds.Name = u"Creds";
  creds.UserId = u"operator7";
  ASSERT_TRUE(creds.Save());
  editor_.scene->Items = {TargetItem(u"login", kSeed, u"action CLK\naction INPUT_ID")};
  editor_.SetTestState(EditorTestState::SceneTestRequested);
  Frame();
  EXPECT_EQ(editor_.TestState(), EditorTestState::SceneTestRunning);
  EXPECT_EQ(runner_->Mode(), RunMode::RunEditorScene);
  ASSERT_TRUE(driver_->WaitForCalls(4));
  EXPECT_EQ(driver_->Lines(), (std::vector<std::string>{"move 52 42", "button left down", "button left up", "text operator7"}));
  ASSERT_TRUE(recorder_.WaitForSteps(0, 1));
  EXPECT_EQ(editor_.Mark(), (ActionMark{0, 0, 40, 30, 64, 54}));  // INPUT_ID: no point

  editor_.SetTestState(EditorTestState::SceneTestStopRequested);
  Frame();
  EXPECT_EQ(editor_.TestState(), EditorTestState::Idle);
  EXPECT_FALSE(runner_->Running());
  EXPECT_GE(editor_.Clears(), 1);
  EXPECT_EQ(editor_.scene.use_count(), 1);
  EXPECT_EQ(editor_.scene->Items.size(), 1u);
}

TEST_F(EditorTestRequests, TheStartButtonWithTheEditorOpenRunsTheEditorsScene) {
  editor_.scene->Items = {TargetItem(u"x", kSeed)};
  client_.OnCommand(kButtonAutomation, kNotifyClick);
  EXPECT_EQ(runner_->Mode(), RunMode::RunEditorScene);
  EXPECT_TRUE(client_.AutomationActive());
  client_.OnCommand(kButtonAutomation, kNotifyClick);  // stop
  EXPECT_FALSE(runner_->Running());
  EXPECT_GE(editor_.Clears(), 1);
}

TEST_F(EditorTestRequests, AnEditorThatGoesAwayStopsTheRunThatReportsToIt) {
  editor_.selected = TargetItem(u"sel", kSeed);
  editor_.SetTestState(EditorTestState::ItemTestRequested);
  Frame();
  ASSERT_TRUE(runner_->Running());
  client_.DetachSceneEditor();
  EXPECT_FALSE(runner_->Running());
  EXPECT_FALSE(client_.AutomationActive());
  Frame();  // no editor, nothing to service
  EXPECT_FALSE(runner_->Running());
}

TEST_F(EditorTestRequests, AnItemTestWithNothingSelectedRunsNothing) {
  editor_.SetTestState(EditorTestState::ItemTestRequested);
  Frame();
  EXPECT_EQ(editor_.TestState(), EditorTestState::ItemTestRunning);
  EXPECT_FALSE(runner_->Running());
  editor_.SetTestState(EditorTestState::ItemTestStopRequested);
  Frame();
  EXPECT_EQ(editor_.TestState(), EditorTestState::Idle);
}

}  // namespace
}  // namespace zor
