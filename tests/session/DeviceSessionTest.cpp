// DeviceSession's state and pane buttons, with recording stand-ins for the GUI pane, the runner and
// the main window, on a device type without a driver.
#include <gtest/gtest.h>

#include <atomic>

#include "model/AppConfig.h"
#include "session/DeviceSession.h"
#include "support/Frames.h"

namespace zor {
namespace {

using test::MakeUniformFrame;

struct RecordingView : IClientView {
  std::atomic<int> changed{0};
  std::atomic<int> full_control{0};
  std::atomic<int> scene_editor{0};
  void ClientChanged() override { ++changed; }
  void ShowFullControl() override { ++full_control; }
  void ShowSceneEditor() override { ++scene_editor; }
  void ForwardToMainWindow(int32_t id) override { forwarded.push_back(id); }
  std::vector<int32_t> forwarded;
};

struct RecordingAutomation : IClientAutomation {
  std::vector<std::string>* calls = nullptr;
  void AddApp(const std::u16string& app) override { calls->push_back("AddApp " + std::string(app.begin(), app.end())); }
  void StartItemTest(std::shared_ptr<const Item>, IRunnerTestListener*) override { calls->push_back("StartItemTest"); }
  void StartSceneRun(const std::u16string& app, std::shared_ptr<const SceneData>, IRunnerTestListener*) override {
    calls->push_back("StartSceneRun " + std::string(app.begin(), app.end()));
  }
  void StopRun() override { calls->push_back("StopRun"); }
  void SetPaused(bool paused) override { calls->push_back(paused ? "Pause" : "Resume"); }
};

DeviceInfo UnknownTypeDevice() {
  DeviceInfo d;
  d.Type = 7;  // no driver for this type
  d.Apps = {u"First", u"Second"};
  return d;
}

class KVMClientTest : public ::testing::Test {
 protected:
  KVMClientTest() : device_(UnknownTypeDevice()), client_(&device_) {
    client_.SetIndex(5);
    auto automation = std::make_unique<RecordingAutomation>();
    automation->calls = &calls_;
    client_.SetAutomation(std::move(automation));
    client_.SetView(&view_);
    client_.CreateClient();
  }
  ~KVMClientTest() override { client_.SetView(nullptr); }

  void Click(int32_t id) { client_.OnCommand(id, kNotifyClick); }
  void DoubleClick(int32_t id) { client_.OnCommand(id, kNotifyDoubleClick); }

  DeviceInfo device_;
  std::vector<std::string> calls_;
  RecordingView view_;
  DeviceSession client_;
};

TEST_F(KVMClientTest, StartsConnectingWithTheEditorAndPauseButtonsDisabled) {
  EXPECT_EQ(client_.State(), ClientState::Connecting);
  EXPECT_EQ(client_.ConnectWait(), 0);
  EXPECT_EQ(client_.Driver(), nullptr);
  EXPECT_FALSE(client_.CurrentFrame());
  for (int32_t id = kButtonAutomation; id <= kButtonEditor; ++id) {
    const bool disabled = id == kButtonPause || id == kButtonEditor;
    EXPECT_EQ(client_.Button(id), (PaneButtonState{0, !disabled})) << id;
  }
}

TEST_F(KVMClientTest, TheFirstFrameStartsStreamingAndEnablesTheEditorLaterFramesLeaveTheStateAlone) {
  DoubleClick(kButtonEditor);
  EXPECT_FALSE(client_.EditorOpen()) << "no picture to edit on yet";
  EXPECT_EQ(client_.TickConnectWait(), 1);
  client_.OnFrame(MakeUniformFrame(8, 4, 1));
  EXPECT_EQ(client_.State(), ClientState::Streaming);
  EXPECT_EQ(client_.ConnectWait(), 0);
  EXPECT_TRUE(client_.Button(kButtonEditor).enabled);
  DoubleClick(kButtonEditor);
  EXPECT_TRUE(client_.EditorOpen());
  EXPECT_EQ(view_.scene_editor, 1);

  const int changes = view_.changed;
  EXPECT_EQ(client_.TickConnectWait(), 1);
  client_.OnFrame(MakeUniformFrame(8, 4, 2));
  EXPECT_EQ(client_.ConnectWait(), 1);  // no state change, so the counter is not reset
  EXPECT_EQ(view_.changed, changes);
  EXPECT_EQ(client_.CurrentFrame()->pixels[0], 2);
}

TEST_F(KVMClientTest, PaneButtonsDriveTheRunner) {
  Click(kButtonPause);  // disabled while automation is stopped
  EXPECT_TRUE(calls_.empty());

  Click(kButtonAutomation);
  EXPECT_EQ(client_.Button(kButtonAutomation), (PaneButtonState{1, true}));
  EXPECT_EQ(client_.Button(kButtonPause), (PaneButtonState{0, true}));
  Click(kButtonPause);
  EXPECT_EQ(client_.Button(kButtonPause), (PaneButtonState{1, true}));
  Click(kButtonPause);
  Click(kButtonPause);
  Click(kButtonAutomation);
  EXPECT_EQ(client_.Button(kButtonAutomation), (PaneButtonState{0, true}));
  EXPECT_EQ(client_.Button(kButtonPause), (PaneButtonState{0, false}));
  EXPECT_FALSE(client_.AutomationActive());

  const std::vector<std::string> expected = {"AddApp First", "AddApp Second", "Pause", "Resume", "Pause",
                                             "StopRun",      "Resume"};
  EXPECT_EQ(calls_, expected);
}

TEST_F(KVMClientTest, DeleteAndEditDoubleClicksGoToTheMainWindow) {
  DoubleClick(kButtonDelete);
  DoubleClick(kButtonEdit);
  Click(kButtonDelete);  // a single click does nothing
  const std::vector<int32_t> expected = {1204, 1205};
  EXPECT_EQ(view_.forwarded, expected);
}

TEST_F(KVMClientTest, ConnectButtonAndFullControlWithoutADriverOnlyChangeState) {
  Click(kButtonConnect);
  EXPECT_EQ(client_.Button(kButtonConnect).state, 1);
  Click(kButtonConnect);
  EXPECT_EQ(client_.Button(kButtonConnect).state, 0);
  EXPECT_EQ(client_.State(), ClientState::Stop);
  DoubleClick(kThumbnailCommand);
  EXPECT_TRUE(client_.FullControlOpen());
  EXPECT_EQ(view_.full_control, 1);
  client_.CloseFullControl();
  EXPECT_FALSE(client_.FullControlOpen());
}

TEST_F(KVMClientTest, RecreateDriverGoesBackToConnecting) {
  Click(kButtonConnect);
  client_.OnFrame(MakeUniformFrame(2, 2, 0));
  DeviceInfo replacement = UnknownTypeDevice();
  replacement.Type = 0;
  client_.RecreateDriver(&replacement);
  EXPECT_NE(client_.Driver(), nullptr);
  EXPECT_EQ(client_.Device(), &replacement);
  EXPECT_EQ(client_.State(), ClientState::Connecting);
  EXPECT_EQ(client_.Button(kButtonConnect).state, 0);
  client_.RecreateDriver(&device_);
  EXPECT_EQ(client_.Driver(), nullptr);
}

}  // namespace
}  // namespace zor
