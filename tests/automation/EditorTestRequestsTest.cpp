// The scene editor's test requests as the pane's controller acts on them, on the calling (UI)
// thread, with the real runner: an Item test, a Scene run, stopping each, and an editor that
// goes away mid-run.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>

#include "automation/AutoRunner.h"
#include "AutomationTestSupport.h"
#include "RunnerTestSupport.h"

namespace zor {
namespace {

using test::ScriptedFrame;
using test::TargetItem;

constexpr uint32_t kSeed = 101;

// The editor's side: what it lends, and what the runner reports to it.
class FakeEditor : public ISceneEditorLink {
 public:
  std::shared_ptr<const SceneData> EditedScene() override { return scene; }
  void ClearTestBestMatch() override { cleared_at_.store(reports.Bests().size()); }
  void SetTestBestMatch(const MatchRecord& best, const std::optional<ScoredPosition>& best_seen) override {
    reports.SetTestBestMatch(best, best_seen);
  }
  void SetLastAction(const ActionMark& mark) override { reports.SetLastAction(mark); }

  // The best match held for painting: the latest one since the last clear.
  std::optional<MatchRecord> Best() const {
    const auto bests = reports.Bests();
    const size_t first_held = Cleared() ? cleared_at_.load() : 0;
    if (bests.size() <= first_held) return std::nullopt;
    return bests.back();
  }
  bool Cleared() const { return cleared_at_.load() != kNeverCleared; }

  std::shared_ptr<Item> selected;
  std::shared_ptr<SceneData> scene = std::make_shared<SceneData>();
  test::RecordingListener reports;

 private:
  static constexpr size_t kNeverCleared = SIZE_MAX;
  std::atomic<size_t> cleared_at_{kNeverCleared};
};

class EditorTestRequests : public ::testing::Test {
 protected:
  EditorTestRequests() {
    scripted_.device.Apps = {u"Creds"};
    pane_.AttachSceneEditor(&editor_);
  }
  ~EditorTestRequests() override { pane_.DetachSceneEditor(); }

  void Frame() { client_.OnFrame(frame_); }

  test::TempProgramFolder folder_;
  test::RunRecorder recorder_;
  FakeEditor editor_;
  test::ScriptedClient scripted_{recorder_};
  PaneController& pane_ = scripted_.pane;
  DeviceSession& client_ = scripted_.client;
  AutoRunner* const runner_ = scripted_.runner;
  test::RecordingDriver* driver_ = scripted_.driver;
  const FramePtr frame_ = ScriptedFrame(test::kScriptedWidth, test::kScriptedHeight, {{kSeed, 40, 30}});
};

TEST_F(EditorTestRequests, AnItemTestStartsAndStopsOnRequestWithoutWaitingForAFrame) {
  editor_.selected = TargetItem(u"sel", kSeed, u"action CLK");
  ASSERT_TRUE(pane_.StartItemTest(editor_.selected));
  EXPECT_TRUE(runner_->Running());
  EXPECT_EQ(runner_->Mode(), RunMode::TestItem);
  EXPECT_TRUE(pane_.AutomationActive());
  Frame();
  ASSERT_TRUE(recorder_.WaitForSteps(0, 1));
  ASSERT_TRUE(editor_.Best());
  EXPECT_EQ(editor_.Best()->Left, 40);
  EXPECT_EQ(driver_->Count(), 0u);

  pane_.StopTest();
  EXPECT_FALSE(runner_->Running());
  EXPECT_FALSE(pane_.AutomationActive());
  EXPECT_FALSE(editor_.Best());
  EXPECT_EQ(editor_.selected.use_count(), 1);
}

TEST_F(EditorTestRequests, ASceneRunUsesTheEditorsSceneUnderTheDevicesFirstApp) {
  AppInfo creds;
  creds.Name = u"Creds";
  creds.UserId = u"operator7";
  ASSERT_TRUE(creds.Save());
  editor_.scene->Items = {TargetItem(u"login", kSeed, u"action CLK\naction INPUT_ID")};
  ASSERT_TRUE(pane_.StartSceneTest(editor_.scene));
  EXPECT_EQ(runner_->Mode(), RunMode::RunEditorScene);
  Frame();
  ASSERT_TRUE(driver_->WaitForCalls(4));
  EXPECT_EQ(driver_->Lines(), (std::vector<std::string>{"MouseMove 52 42", "MouseButton left down", "MouseButton left up", "TypeText operator7"}));
  ASSERT_TRUE(recorder_.WaitForSteps(0, 1));
  const auto marks = editor_.reports.Marks();
  EXPECT_EQ(marks, (std::vector<ActionMark>{{52, 42, 40, 30, 64, 54}, {0, 0, 40, 30, 64, 54}}));  // INPUT_ID: no point

  pane_.StopTest();
  EXPECT_FALSE(runner_->Running());
  EXPECT_TRUE(editor_.Cleared());
  EXPECT_EQ(editor_.scene.use_count(), 1);
  EXPECT_EQ(editor_.scene->Items.size(), 1u);
}

TEST_F(EditorTestRequests, TheStartButtonWithTheEditorOpenRunsTheEditorsScene) {
  editor_.scene->Items = {TargetItem(u"x", kSeed)};
  pane_.Execute(PaneCommand::ToggleAutomation);
  EXPECT_EQ(runner_->Mode(), RunMode::RunEditorScene);
  EXPECT_TRUE(pane_.AutomationActive());
  pane_.Execute(PaneCommand::ToggleAutomation);  // stop
  EXPECT_FALSE(runner_->Running());
  EXPECT_TRUE(editor_.Cleared());
}

TEST_F(EditorTestRequests, AnEditorThatGoesAwayStopsTheRunThatReportsToIt) {
  editor_.selected = TargetItem(u"sel", kSeed);
  ASSERT_TRUE(pane_.StartItemTest(editor_.selected));
  ASSERT_TRUE(runner_->Running());
  pane_.DetachSceneEditor();
  EXPECT_FALSE(runner_->Running());
  EXPECT_FALSE(pane_.AutomationActive());
  EXPECT_FALSE(pane_.StartItemTest(editor_.selected)) << "no editor to report to";
  EXPECT_FALSE(runner_->Running());
}

TEST_F(EditorTestRequests, AnItemTestWithNothingSelectedRunsNothing) {
  ASSERT_TRUE(pane_.StartItemTest(nullptr));
  EXPECT_FALSE(runner_->Running());
  pane_.StopTest();
  EXPECT_FALSE(pane_.AutomationActive());
}

}  // namespace
}  // namespace zor
