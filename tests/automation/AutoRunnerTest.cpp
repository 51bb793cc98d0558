// The runner on a client fed with scripted frames (no device): strips, work areas, pause,
// newest-frame hand-off, the editor's tests beside running Apps, and stopping. Actions go to a
// recording driver installed in the client. The step rules without threads are RunnerRulesTest's.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "automation/AutoRunner.h"
#include "AutomationTestSupport.h"
#include "RunnerTestSupport.h"

namespace zor {
namespace {

using test::ScriptedFrame;
using test::TargetItem;

constexpr int32_t kWidth = test::kScriptedWidth;
constexpr int32_t kHeight = test::kScriptedHeight;

std::vector<int32_t> Corners(const WorkRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

class AutoRunnerTest : public ::testing::Test {
 protected:

  static void SaveScene(const std::u16string& name, std::vector<std::shared_ptr<Item>> items) {
    SceneData scene;
    scene.Name = name;
    scene.Items = std::move(items);
    ASSERT_TRUE(scene.Save(name + kSceneExtension));
  }
  static void SaveApp(const std::u16string& name, std::vector<std::u16string> scenes) {
    AppInfo app;
    app.Name = name;
    app.Scenes = std::move(scenes);
    ASSERT_TRUE(app.Save());
  }
  // Hands `frame` to the client and waits until Apps 0 .. apps-1 have each taken a step.
  void Step(const FramePtr& frame, int32_t apps = 1) {
    std::vector<uint64_t> before;
    for (int32_t a = 0; a < apps; ++a) before.push_back(recorder_.Steps(a));
    client_.OnFrame(frame);
    for (int32_t a = 0; a < apps; ++a) ASSERT_TRUE(recorder_.WaitForSteps(a, before[a] + 1)) << "App " << a;
  }
  bool HasEvent(const std::string& event) const {
    const auto events = recorder_.Events();
    return std::find(events.begin(), events.end(), event) != events.end();
  }

  test::TempProgramFolder folder_;
  test::RunRecorder recorder_;
  test::ScriptedClient scripted_{recorder_};
  DeviceSession& client_ = scripted_.client;
  AutoRunner* const runner_ = scripted_.runner;
  test::RecordingDriver* driver_ = scripted_.driver;
};

TEST_F(AutoRunnerTest, AppsWithoutWorkAreasDivideTheScreenIntoStrips) {
  SaveScene(u"Strip", {TargetItem(u"t", 31)});
  SaveApp(u"StripApp", {u"Strip"});
  for (const int32_t apps : {2, 3}) {
    SCOPED_TRACE(std::to_string(apps) + " Apps");
    for (int32_t a = 0; a < apps; ++a) runner_->AddApp(u"StripApp");
    const int32_t strip = kWidth / apps;
    // The target lies in the last App's strip: only that App finds it.
    Step(ScriptedFrame(kWidth, kHeight, {{31, strip * (apps - 1) + 10, 20}}), apps);
    for (int32_t a = 0; a < apps; ++a) {
      const auto evaluation = recorder_.Evaluations(a).back();
      EXPECT_EQ(Corners(evaluation.area), std::vector<int32_t>({a * strip, 0, (a + 1) * strip, kHeight})) << a;
      EXPECT_EQ(evaluation.best.Valid != 0, a == apps - 1) << a;
      EXPECT_GT(evaluation.tick_ms, 0u) << "selected Items start their cooldown, found or not";
    }
    runner_->StopRun();
  }
}

TEST_F(AutoRunnerTest, WorkAreaFromAMatchAppliesFromTheNextStepAndAcrossASceneChange) {
  auto anchor = TargetItem(u"anchor", 41, u"set workarea");
  anchor->WorkOffsetX = -10;
  anchor->WorkOffsetY = 30;
  anchor->WorkWidth = 300;
  anchor->WorkHeight = 40;
  SaveScene(u"A", {anchor, TargetItem(u"probe", 42, u"final")});
  SaveScene(u"B", {TargetItem(u"after", 43)});
  SaveApp(u"WorkArea", {u"A", u"B"});
  runner_->AddApp(u"WorkArea");
  const FramePtr frame = ScriptedFrame(640, 360, {{41, 100, 200}, {42, 200, 240}});
  for (int i = 0; i < 5; ++i) Step(frame);

  const auto evaluations = recorder_.Evaluations();
  ASSERT_EQ(evaluations.size(), 3u);
  const std::vector<int32_t> work_area{90, 230, 390, 270};
  EXPECT_EQ(evaluations[0].item, u"anchor");
  EXPECT_EQ(Corners(evaluations[0].area), std::vector<int32_t>({0, 0, 640, 360}));
  EXPECT_EQ(evaluations[1].item, u"probe");
  EXPECT_EQ(Corners(evaluations[1].area), work_area);
  EXPECT_TRUE(evaluations[1].best.Valid);
  // "final" in step 2; steps 3 and 4 find no active Item; the second of them changes Scene.
  EXPECT_TRUE(HasEvent("changed 0 1 at 4"));
  EXPECT_EQ(evaluations[2].item, u"after");
  EXPECT_EQ(evaluations[2].step, 5u);
  EXPECT_EQ(Corners(evaluations[2].area), work_area);
}

TEST_F(AutoRunnerTest, APausedRunTakesNoStepsUntilResumed) {
  SaveScene(u"P", {TargetItem(u"p", 71)});
  SaveApp(u"P", {u"P"});
  runner_->AddApp(u"P");
  const FramePtr frame = ScriptedFrame(kWidth, kHeight, {});
  Step(frame);
  runner_->SetPaused(true);
  for (int i = 0; i < 5; ++i) client_.OnFrame(frame);
  runner_->SetPaused(false);
  Step(frame);
  runner_->SetPaused(true);
  const uint64_t steps = recorder_.Steps(0);
  for (int i = 0; i < 5; ++i) client_.OnFrame(frame);
  runner_->StopRun();
  EXPECT_EQ(recorder_.Steps(0), steps);
}

TEST_F(AutoRunnerTest, TheNewestOfTheFramesThatArriveDuringAStepIsUsedNext) {
  SaveScene(u"N", {TargetItem(u"n", 81, u"action CLK")});
  SaveApp(u"N", {u"N"});
  runner_->AddApp(u"N");
  driver_->Hold();
  client_.OnFrame(ScriptedFrame(kWidth, kHeight, {{81, 10, 20}}));
  ASSERT_TRUE(driver_->WaitForCalls(1));  // the step is inside its click
  for (const int32_t x : {50, 90, 130}) client_.OnFrame(ScriptedFrame(kWidth, kHeight, {{81, x, 20}}));
  driver_->Release();
  ASSERT_TRUE(recorder_.WaitForSteps(0, 2));
  runner_->StopRun();
  const auto evaluations = recorder_.Evaluations();
  ASSERT_EQ(evaluations.size(), 2u) << "the older frames were dropped";
  EXPECT_EQ(evaluations[0].best.Left, 10);
  EXPECT_EQ(evaluations[1].best.Left, 130);
  EXPECT_EQ(driver_->Lines()[0], "MouseMove 22 32");
}

TEST_F(AutoRunnerTest, AnItemTestOnlyAnalysesAndHandsOverEachBestMatch) {
  auto item = TargetItem(u"t", 92, u"final\naction CLK");
  item->CooldownMs = 1'000'000;
  item->LastEvalMs = UINT64_MAX;
  test::RecordingListener listener;
  runner_->StartItemTest(item, &listener);
  EXPECT_EQ(runner_->Mode(), RunMode::TestItem);
  Step(ScriptedFrame(kWidth, kHeight, {{92, 30, 20}}));
  Step(ScriptedFrame(kWidth, kHeight, {}));
  Step(ScriptedFrame(kWidth, kHeight, {{92, 60, 40}}));
  const auto bests = listener.Bests();
  ASSERT_EQ(bests.size(), 3u);
  EXPECT_EQ(std::make_pair(bests[0].Valid, bests[0].Left), std::make_pair(uint8_t{1}, 30));
  EXPECT_EQ(bests[1].Valid, 0);
  EXPECT_EQ(std::make_pair(bests[2].Left, bests[2].Top), std::make_pair(60, 40));
  EXPECT_EQ(driver_->Count(), 0u) << "no script ran";
  // With each best match comes the best position seen: the match itself, or for the frame
  // without the target how close the closest place came.
  const auto seen = listener.BestsSeen();
  ASSERT_EQ(seen.size(), 3u);
  ASSERT_TRUE(seen[0] && seen[1] && seen[2]);
  EXPECT_EQ(std::make_pair(seen[0]->Left, seen[0]->Score), std::make_pair(bests[0].Left, bests[0].Score));
  EXPECT_LT(seen[1]->Score, item->Threshold) << "the miss's best position stayed below the threshold";
}

// Starts an editor test of `item` in `mode` (TestItem or RunEditorScene) reporting to `listener`.
void StartEditorTest(AutoRunner& runner, RunMode mode, const std::shared_ptr<Item>& item,
                     IRunnerTestListener& listener) {
  if (mode == RunMode::TestItem) {
    runner.StartItemTest(item, &listener);
    return;
  }
  auto scene = std::make_shared<SceneData>();
  scene->Items = {item};
  runner.StartSceneRun(u"", scene, &listener);
}

// The editor's GUI thread goes on writing its own Item while a test of it runs; the runner
// works on a copy taken at the start, so neither sees the other's writes.
TEST_F(AutoRunnerTest, AnEditorTestRunsOnItsOwnCopyOfTheItem) {
  for (const RunMode mode : {RunMode::TestItem, RunMode::RunEditorScene}) {
    SCOPED_TRACE(static_cast<int>(mode));
    const size_t evaluated_before = recorder_.Evaluations().size();
    auto item = TargetItem(u"copy", 96, u"action CLK\nfinal");
    test::RecordingListener listener;
    StartEditorTest(*runner_, mode, item, listener);
    item->Name = u"edited";
    item->Threshold = 2.0f;  // no score reaches it
    std::atomic<bool> stop{false};
    std::thread editor([&] {
      while (!stop.load()) {
        item->Threshold = 2.0f;
        std::this_thread::yield();
      }
    });
    const FramePtr frame = ScriptedFrame(kWidth, kHeight, {{96, 30, 20}});
    for (int i = 0; i < 3; ++i) Step(frame);
    stop.store(true);
    editor.join();
    runner_->StopRun();
    const auto evaluations = recorder_.Evaluations();
    ASSERT_GT(evaluations.size(), evaluated_before);
    for (size_t i = evaluated_before; i < evaluations.size(); ++i) {
      EXPECT_EQ(evaluations[i].item, u"copy");
      EXPECT_TRUE(evaluations[i].best.Valid);
    }
    for (const std::string& e : recorder_.Events()) EXPECT_FALSE(e.starts_with("changed")) << "editor runs keep their Scene";
    EXPECT_TRUE(item->Active) << "the run's \"final\" changed only its own copy";
    EXPECT_TRUE(item->Actions.empty());
    EXPECT_EQ(item->LastEvalMs, 0u);
  }
}

// An editor test beside the device's running Apps: the Apps go on with their own steps, and only
// the test's own results reach the editor.
TEST_F(AutoRunnerTest, AnEditorTestBesideRunningAppsReportsOnlyItsOwnResults) {
  SaveScene(u"Busy", {TargetItem(u"app", 97, u"action CLK")});
  SaveApp(u"Busy", {u"Busy"});
  // App 0 analyses the left half of the frame, the test (App 1) the right half.
  const FramePtr frame = ScriptedFrame(kWidth, kHeight, {{97, 10, 20}, {98, 200, 40}});
  const std::string app_click = "MouseMove 22 32";
  for (const RunMode mode : {RunMode::TestItem, RunMode::RunEditorScene}) {
    SCOPED_TRACE(static_cast<int>(mode));
    runner_->AddApp(u"Busy");
    test::RecordingListener listener;
    StartEditorTest(*runner_, mode, TargetItem(u"tested", 98, u"action MOVE"), listener);
    const auto clicks_before = std::ranges::count(driver_->Lines(), app_click);
    for (int i = 0; i < 3; ++i) Step(frame, 2);
    runner_->StopRun();
    EXPECT_EQ(std::ranges::count(driver_->Lines(), app_click) - clicks_before, 3) << "the App clicked every step";
    if (mode == RunMode::TestItem) {
      const auto bests = listener.Bests();
      ASSERT_EQ(bests.size(), 3u);
      for (const MatchRecord& best : bests) EXPECT_EQ(std::make_pair(best.Left, best.Top), std::make_pair(200, 40));
    } else {
      EXPECT_EQ(listener.Marks(), std::vector<ActionMark>(3, ActionMark{212, 52, 200, 40, 224, 64}));
    }
  }
}

TEST_F(AutoRunnerTest, StopRunDuringTheWaitsOfAnActionEndsItWithoutLeavingAButtonDown) {
  std::u16string script;
  for (int i = 0; i < 40; ++i) script += u"action DBLCLK\n";
  auto scene = std::make_shared<SceneData>();
  scene->Items = {TargetItem(u"long", 93, script)};
  runner_->StartSceneRun(u"", scene, nullptr);
  client_.OnFrame(ScriptedFrame(kWidth, kHeight, {{93, 30, 20}}));
  ASSERT_TRUE(driver_->WaitForCalls(2));  // pressed, now waiting
  runner_->StopRun();
  EXPECT_FALSE(runner_->Running());
  const auto lines = driver_->Lines();
  EXPECT_LT(lines.size(), 40u * 6);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "MouseButton left down"),
            std::count(lines.begin(), lines.end(), "MouseButton left up"));
  EXPECT_EQ(lines.back(), "MouseButton left up");
}

TEST_F(AutoRunnerTest, MissingAppOrSceneFilesRunEmptyAndStayPut) {
  SaveApp(u"Lost", {u"NoSuchScene", u"Other"});
  runner_->AddApp(u"NoSuchApp");
  runner_->AddApp(u"Lost");
  EXPECT_EQ(runner_->AppCount(), 2);
  const FramePtr frame = ScriptedFrame(kWidth, kHeight, {});
  for (int i = 0; i < 3; ++i) Step(frame, 2);
  EXPECT_TRUE(recorder_.Evaluations().empty());
  for (const std::string& e : recorder_.Events()) EXPECT_EQ(e.rfind("loaded", 0), 0u) << e;
}

TEST_F(AutoRunnerTest, AfterItsLastSceneTheAppGoesIdleOnce) {
  SaveScene(u"Only", {TargetItem(u"o", 95, u"final")});
  SaveApp(u"Once", {u"Only"});
  runner_->AddApp(u"Once");
  const FramePtr frame = ScriptedFrame(kWidth, kHeight, {{95, 5, 5}});
  for (int i = 0; i < 6; ++i) Step(frame);
  const auto events = recorder_.Events();
  EXPECT_EQ(events, (std::vector<std::string>{"loaded 0 0 at 0", "idle 0 at 3"}));
  EXPECT_EQ(recorder_.Evaluations().size(), 1u);
}

}  // namespace
}  // namespace zor
