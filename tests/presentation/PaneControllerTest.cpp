// The pane's controller: its button states and commands, with recording stand-ins for the GUI
// pane, the runner and the main window, on a device type without a driver.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <system_error>

#include "presentation/PaneController.h"
#include "support/Frames.h"
#include "support/RunLogFiles.h"
#include "support/TempDir.h"

namespace zor {
namespace {

using test::MakeUniformFrame;

struct RecordingView : IPaneView {
  std::atomic<int> changed{0};
  std::atomic<int> full_control{0};
  std::atomic<int> scene_editor{0};
  void PaneChanged() override { ++changed; }
  void ShowFullControl() override { ++full_control; }
  void ShowSceneEditor() override { ++scene_editor; }
  void PassToMainWindow(PaneCommand command) override { passed.push_back(command); }
  std::vector<PaneCommand> passed;
};

struct RecordingRunner : IRunnerControl {
  std::vector<std::string>* calls = nullptr;
  // What the runner throws when the system has no thread left for a worker.
  bool out_of_threads = false;
  void AddApp(const std::u16string& app) override {
    if (out_of_threads) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    calls->push_back("AddApp " + std::string(app.begin(), app.end()));
  }
  void StartItemTest(std::shared_ptr<const Item>, IRunnerTestListener*) override { calls->push_back("StartItemTest"); }
  void StartSceneRun(const std::u16string& app, std::shared_ptr<const SceneData>, IRunnerTestListener*) override {
    calls->push_back("StartSceneRun " + std::string(app.begin(), app.end()));
  }
  void StopRun() override { calls->push_back("StopRun"); }
  void SetPaused(bool paused) override { calls->push_back(paused ? "Pause" : "Resume"); }
  void SetObserver(IRunObserver* set) override { observer = set; }
  IRunObserver* observer = nullptr;  // who hears the run
};

DeviceInfo UnknownTypeDevice() {
  DeviceInfo d;
  d.Type = 7;  // no driver for this type
  d.Apps = {u"First", u"Second"};
  return d;
}

class PaneControllerTest : public ::testing::Test {
 protected:
  PaneControllerTest() : device_(UnknownTypeDevice()), pane_(&device_) {
    pane_.SetIndex(5);
    auto runner = std::make_unique<RecordingRunner>();
    runner->calls = &calls_;
    runner_ = runner.get();
    pane_.SetRunner(std::move(runner));
    pane_.SetView(&view_);
    pane_.Start();
  }
  ~PaneControllerTest() override { pane_.SetView(nullptr); }

  // The widgets' notifications, as the GUI pane turns them into commands.
  void Click(int32_t id) { Send(id, kNotifyClick); }
  void DoubleClick(int32_t id) { Send(id, kNotifyDoubleClick); }
  void Send(int32_t id, int32_t code) {
    if (const std::optional<PaneCommand> command = PaneCommandOf(id, code)) pane_.Execute(*command);
  }

  DeviceInfo device_;
  std::vector<std::string> calls_;
  RecordingView view_;
  RecordingRunner* runner_ = nullptr;  // owned by the controller
  PaneController pane_;
  DeviceSession& session_ = pane_.Session();
};

TEST_F(PaneControllerTest, StartsConnectingWithTheEditorAndPauseButtonsDisabled) {
  EXPECT_EQ(session_.State(), ConnectionState::Connecting);
  EXPECT_EQ(session_.ConnectWait(), 0);
  EXPECT_EQ(session_.Driver(), nullptr);
  EXPECT_FALSE(session_.CurrentFrame());
  for (int32_t id = kButtonAutomation; id <= kButtonEditor; ++id) {
    const bool disabled = id == kButtonPause || id == kButtonEditor;
    EXPECT_EQ(pane_.Button(id), (PaneButtonState{0, !disabled})) << id;
  }
}

TEST_F(PaneControllerTest, TheFirstFrameStartsStreamingAndEnablesTheEditorLaterFramesLeaveTheStateAlone) {
  DoubleClick(kButtonEditor);
  EXPECT_FALSE(pane_.EditorOpen()) << "no picture to edit on yet";
  EXPECT_EQ(session_.TickConnectWait(), 1);
  session_.OnFrame(MakeUniformFrame(8, 4, 1));
  EXPECT_EQ(session_.State(), ConnectionState::Streaming);
  EXPECT_EQ(session_.ConnectWait(), 0);
  EXPECT_TRUE(pane_.Button(kButtonEditor).enabled);
  DoubleClick(kButtonEditor);
  EXPECT_TRUE(pane_.EditorOpen());
  EXPECT_EQ(view_.scene_editor, 1);

  const int changes = view_.changed;
  EXPECT_EQ(session_.TickConnectWait(), 1);
  session_.OnFrame(MakeUniformFrame(8, 4, 2));
  EXPECT_EQ(session_.ConnectWait(), 1);  // no state change, so the counter is not reset
  EXPECT_EQ(view_.changed, changes);
  EXPECT_EQ(session_.CurrentFrame()->pixels[0], 2);
}

TEST_F(PaneControllerTest, PaneButtonsDriveTheRunner) {
  Click(kButtonPause);  // disabled while automation is stopped
  EXPECT_TRUE(calls_.empty());

  Click(kButtonAutomation);
  EXPECT_EQ(pane_.Button(kButtonAutomation), (PaneButtonState{1, true}));
  EXPECT_EQ(pane_.Button(kButtonPause), (PaneButtonState{0, true}));
  Click(kButtonPause);
  EXPECT_EQ(pane_.Button(kButtonPause), (PaneButtonState{1, true}));
  Click(kButtonPause);
  Click(kButtonPause);
  Click(kButtonAutomation);
  EXPECT_EQ(pane_.Button(kButtonAutomation), (PaneButtonState{0, true}));
  EXPECT_EQ(pane_.Button(kButtonPause), (PaneButtonState{0, false}));
  EXPECT_FALSE(pane_.AutomationActive());

  const std::vector<std::string> expected = {"AddApp First", "AddApp Second", "Pause", "Resume", "Pause",
                                             "StopRun",      "Resume"};
  EXPECT_EQ(calls_, expected);
}

TEST_F(PaneControllerTest, DeleteAndEditDoubleClicksGoToTheMainWindow) {
  DoubleClick(kButtonDelete);
  DoubleClick(kButtonEdit);
  Click(kButtonDelete);  // a single click does nothing
  const std::vector<PaneCommand> expected = {PaneCommand::DeleteDevice, PaneCommand::EditDevice};
  EXPECT_EQ(view_.passed, expected);
}

TEST_F(PaneControllerTest, ConnectButtonAndFullControlWithoutADriverOnlyChangeState) {
  Click(kButtonConnect);
  EXPECT_EQ(pane_.Button(kButtonConnect).state, 1);
  Click(kButtonConnect);
  EXPECT_EQ(pane_.Button(kButtonConnect).state, 0);
  EXPECT_EQ(session_.State(), ConnectionState::Stop);
  DoubleClick(kThumbnailCommand);
  EXPECT_TRUE(session_.FullControlOpen());
  EXPECT_EQ(view_.full_control, 1);
  session_.CloseFullControl();
  EXPECT_FALSE(session_.FullControlOpen());
}

TEST_F(PaneControllerTest, RecreateDriverGoesBackToConnecting) {
  Click(kButtonConnect);
  session_.OnFrame(MakeUniformFrame(2, 2, 0));
  DeviceInfo replacement = UnknownTypeDevice();
  replacement.Type = 0;
  pane_.RecreateDriver(&replacement);
  EXPECT_NE(session_.Driver(), nullptr);
  EXPECT_EQ(session_.Device(), &replacement);
  EXPECT_EQ(session_.State(), ConnectionState::Connecting);
  EXPECT_EQ(pane_.Button(kButtonConnect).state, 0);
  pane_.RecreateDriver(&device_);
  EXPECT_EQ(session_.Driver(), nullptr);
}

TEST_F(PaneControllerTest, TheConnectTimerGivesUpThroughTheConnectButton) {
  pane_.PressConnect();
  EXPECT_EQ(pane_.Button(kButtonConnect).state, 1);
  pane_.TickConnectWait();
  pane_.GiveUpConnecting();
  EXPECT_EQ(pane_.Button(kButtonConnect).state, 0) << "the button's own disconnect click";
  EXPECT_EQ(session_.State(), ConnectionState::Offline);
  EXPECT_EQ(pane_.ConnectWait(), 0);
  EXPECT_FALSE(pane_.IsConnecting());
}

TEST_F(PaneControllerTest, AWorkersFailureShowsUntilTheOperatorStopsTheRun) {
  Click(kButtonAutomation);
  session_.OnFrame(MakeUniformFrame(2, 2, 0));
  session_.ReportFailure("App 1 stopped: out of memory");
  session_.OnFrame(MakeUniformFrame(2, 2, 1));
  EXPECT_EQ(session_.State(), ConnectionState::Error) << "frames that go on arriving leave it up";
  EXPECT_EQ(session_.LastError(), "App 1 stopped: out of memory");
  Click(kButtonAutomation);  // stop
  EXPECT_EQ(session_.State(), ConnectionState::Streaming);
  EXPECT_EQ(session_.LastError(), "");
}

TEST_F(PaneControllerTest, AnAppWithoutAThreadLeavesTheRunStoppedAndSaysWhy) {
  session_.OnFrame(MakeUniformFrame(2, 2, 0));
  runner_->out_of_threads = true;
  Click(kButtonAutomation);
  EXPECT_EQ(pane_.Button(kButtonAutomation), (PaneButtonState{0, true}));
  EXPECT_EQ(pane_.Button(kButtonPause), (PaneButtonState{0, false}));
  EXPECT_EQ(session_.State(), ConnectionState::Error);
  EXPECT_NE(session_.LastError().find("Apps not started"), std::string::npos) << session_.LastError();
  EXPECT_EQ(calls_, std::vector<std::string>{"StopRun"});

  runner_->out_of_threads = false;
  Click(kButtonAutomation);  // the operator tries again
  EXPECT_EQ(session_.State(), ConnectionState::Streaming);
  EXPECT_EQ(pane_.Button(kButtonAutomation), (PaneButtonState{1, true}));
}

TEST_F(PaneControllerTest, AStartWithoutAPictureWaitsForTheDeviceAndSaysSo) {
  struct Case {
    const char* name;
    std::function<void()> bring;  // from Connecting to the state of the case
  };
  const Case cases[] = {
      {"connecting", [] {}},
      {"offline", [this] {
         pane_.PressConnect();
         pane_.GiveUpConnecting();
       }},
      {"stopped", [this] {
         Click(kButtonConnect);
         Click(kButtonConnect);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pane_.RecreateDriver();
    c.bring();
    calls_.clear();
    EXPECT_FALSE(pane_.AutomationWaitsForDevice()) << "nothing started yet";
    Click(kButtonAutomation);
    EXPECT_EQ(calls_, (std::vector<std::string>{"AddApp First", "AddApp Second"})) << "the run starts";
    EXPECT_TRUE(pane_.AutomationWaitsForDevice());
    session_.OnFrame(MakeUniformFrame(2, 2, 0));
    EXPECT_FALSE(pane_.AutomationWaitsForDevice()) << "the picture came: the run works on it";
    Click(kButtonAutomation);  // stop
  }
}

TEST_F(PaneControllerTest, AnOfflinePaneRetriesByItselfWhileItsConnectButtonIsPressed) {
  pane_.PressConnect();
  pane_.GiveUpConnecting();
  EXPECT_FALSE(pane_.RetryingWhileOffline()) << "given up, not pressed again yet";
  pane_.PressConnect();  // the connect timer presses again in the same tick
  EXPECT_EQ(session_.State(), ConnectionState::Offline);
  EXPECT_TRUE(pane_.RetryingWhileOffline());
  Click(kButtonConnect);  // the operator disconnects
  EXPECT_FALSE(pane_.RetryingWhileOffline());
}

struct HoldCounter : IRunObserver {
  int holds = 0;
  void OnHoldChanged(HoldReason) override { ++holds; }
};

TEST_F(PaneControllerTest, ARunOfTheDevicesAppsWritesItsLogBesideWhatThePaneHears) {
  const test::TempDir dir;
  HoldCounter pane_hears;
  pane_.SetRunObserver(&pane_hears);
  pane_.SetRunLogFolder([&] { return dir.File("logs"); });
  Click(kButtonAutomation);
  ASSERT_NE(runner_->observer, nullptr);
  EXPECT_EQ(pane_.RunLogProblem(), "");
  runner_->observer->OnHoldChanged(HoldReason::kNoSignal);
  EXPECT_EQ(pane_hears.holds, 1);
  Click(kButtonAutomation);  // stop: the log ends
  EXPECT_EQ(runner_->observer, &pane_hears);
  const std::vector<nlohmann::json> lines = test::OnlyLogLines(dir.File("logs"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["event"], "paused");
  EXPECT_EQ(lines[0]["device"], 5);
  EXPECT_EQ(lines[0]["picture_dropped"], "no picture from the device yet");
}

TEST_F(PaneControllerTest, AFolderThatCannotTakeTheLogIsReportedAndTheAppsRunAllTheSame) {
  const test::TempDir dir;
  test::WriteFile(dir.File("file"), "");
  HoldCounter pane_hears;
  pane_.SetRunObserver(&pane_hears);
  pane_.SetRunLogFolder([&] { return dir.File("file/logs"); });
  Click(kButtonAutomation);
  EXPECT_NE(pane_.RunLogProblem().find("cannot create the log folder"), std::string::npos) << pane_.RunLogProblem();
  EXPECT_EQ(runner_->observer, &pane_hears);
  EXPECT_EQ(calls_, (std::vector<std::string>{"AddApp First", "AddApp Second"}));
  EXPECT_EQ(pane_.Button(kButtonAutomation).state, 1) << "running";
}

}  // namespace
}  // namespace zor
