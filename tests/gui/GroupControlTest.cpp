// Group control of the panes' automation in the main window: Ctrl-click and the rubber band pick
// panes and show it, the context menu's actions and their shortcuts reach exactly the picked
// panes (or all of them), and an unattended station starts every pane's Apps once its device
// streams. What each action does to each kind of pane is GroupControlTest's table in
// tests/presentation; here real panes on zorkvm-sim carry it out.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "gui/dialogs/SettingsDialog.h"
#include "gui/pane/DevicePane.h"
#include "gui/pane/PaneTitleBar.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/AutoStartSetting.h"
#include "gui/widgets/StateIconButton.h"
#include "gui/window/GroupActions.h"
#include "gui/window/MainWindow.h"
#include "gui/window/PaneContainer.h"
#include "model/DeviceListFile.h"
#include "support/RecordingOwner.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

// A device type without a driver: the pane exists, nothing ever connects.
constexpr uint32_t kNoDriverType = 7;
// The demo's desktop, whose buttons the demo App's Items find and click.
constexpr char kSize[] = "1280x720";
constexpr uint32_t kWidth = 1280;
constexpr uint32_t kHeight = 720;
// Three devices connect one after another (a second apart) and decode, analyse and click on a
// loaded 2-core machine: a generous limit for all of it.
constexpr int kRunsClickTimeoutMs = 180000;
// The simulator's log is read at most this often while waiting: it grows with every message.
constexpr int kLogReadIntervalMs = 250;

// --start-automation for the life of the object.
class StartAutomationFromCommandLine {
 public:
  StartAutomationFromCommandLine() { SetStartAutomationFromCommandLine(true); }
  ~StartAutomationFromCommandLine() { SetStartAutomationFromCommandLine(false); }
};

class GroupControlTest : public test::WithQtApp, public ::testing::Test {
 protected:
  static void WriteDevices(const std::vector<DeviceInfo>& devices) {
    DeviceList list;
    for (const auto& d : devices) list.push_back(std::make_unique<DeviceInfo>(d));
    ASSERT_TRUE(SaveDeviceList(AppConfig::Instance().BaseDir + kConfigFileName, list));
  }
  static std::vector<bool> Marked(const PaneContainer& clients) {
    std::vector<bool> marked;
    for (DevicePane* pane : clients.Panes()) marked.push_back(pane->GroupSelected());
    return marked;
  }
  static QString Text(const char* source) { return QCoreApplication::translate("GroupActions", source); }

  test::TemporarySettings settings_;
  test::ProgramFolder folder_;
};

TEST_F(GroupControlTest, CtrlClickAndTheRubberBandPickPanesAndAPlainClickDropsThem) {
  DeviceInfo unconnectable;
  unconnectable.Type = kNoDriverType;
  WriteDevices(std::vector<DeviceInfo>(4, unconnectable));
  MainWindow window;
  window.show();
  PaneContainer& clients = *window.Clients();
  const std::vector<DevicePane*> panes = clients.Panes();
  ASSERT_EQ(panes.size(), 4u);
  QAction& start = *clients.Group().Action(GroupAction::Start);
  EXPECT_EQ(start.text(), Text("Start automation on all panes"));

  QTest::mouseClick(panes[2]->Title(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
  EXPECT_EQ(Marked(clients), (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(start.text(), Text("Start automation on the selected panes"));
  QTest::mouseClick(panes[0]->Thumb(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
  QTest::mouseClick(panes[2]->Thumb(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
  EXPECT_EQ(Marked(clients), (std::vector<bool>{true, false, false, false}));

  // From the empty corner above the first pane into the middle of the second: those two.
  const QPoint corner = panes[0]->geometry().topLeft() - QPoint(5, 5);
  const QPoint inside_second = panes[1]->geometry().center();
  QTest::mousePress(&clients, Qt::LeftButton, {}, corner);
  QTest::mouseMove(&clients, inside_second);
  QTest::mouseRelease(&clients, Qt::LeftButton, {}, inside_second);
  EXPECT_EQ(Marked(clients), (std::vector<bool>{true, true, false, false}));
  // With Ctrl the band adds to what was picked.
  const QPoint inside_fourth = panes[3]->geometry().center();
  const QPoint below_fourth = panes[3]->geometry().bottomLeft() + QPoint(-5, 5);
  QTest::mousePress(&clients, Qt::LeftButton, Qt::ControlModifier, below_fourth);
  QTest::mouseMove(&clients, inside_fourth);
  QTest::mouseRelease(&clients, Qt::LeftButton, Qt::ControlModifier, inside_fourth);
  EXPECT_EQ(Marked(clients), (std::vector<bool>{true, true, false, true}));

  QTest::mouseClick(&clients, Qt::LeftButton, {}, corner);
  EXPECT_EQ(Marked(clients), (std::vector<bool>(4, false)));
  EXPECT_EQ(start.text(), Text("Start automation on all panes"));
}

TEST_F(GroupControlTest, TheCommandLineOrTheSettingsCheckBoxTurnsUnattendedStartOn) {
  struct Case {
    bool command_line;
    bool ticked;
  };
  for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
    SettingsDialog dialog(nullptr, {});
    dialog.StartAutomation()->setChecked(c.ticked);
    SetStartAutomationFromCommandLine(c.command_line);
    EXPECT_EQ(StartAutomationWhenConnected(), c.command_line || c.ticked) << c.command_line << c.ticked;
    SetStartAutomationFromCommandLine(false);
    SettingsDialog again(nullptr, {});
    EXPECT_EQ(again.StartAutomation()->isChecked(), c.ticked) << "kept for the next time";
  }
}

// Starts zorkvm-sim.
class GroupControlLive : public GroupControlTest {};

// The highest OK click count each simulated device showed, by its index.
std::map<int, int64_t> OkClicks(const test::SimProcess& sim) {
  std::map<int, int64_t> clicks;
  for (const auto& j : sim.LogLines()) {
    if (!j.contains("ok_clicks")) continue;
    int64_t& most = clicks[j["device"].get<int>()];
    most = std::max(most, j["ok_clicks"].get<int64_t>());
  }
  return clicks;
}

TEST_F(GroupControlLive, UnattendedStartRunsEveryPaneAndGroupActionsReachExactlyThePickedOnes) {
  const test::ProgramResult demo =
      test::RunProgram(ZORKVM_TOOLS_DIR "/zorkvm-cli", {"demo-folder", folder_.Path().toStdString(), kSize});
  ASSERT_EQ(demo.exit_code, 0) << demo.err;
  test::SimProcessOptions options;
  options.extra_args = {"--devices", "3", "--size", kSize};
  test::SimProcess sim(options);
  ASSERT_TRUE(sim.Ready()) << sim.Messages();
  std::vector<DeviceInfo> devices;
  for (uint16_t port : sim.Ports()) {
    devices.push_back(test::SoftKvmDevice(u"127.0.0.1", port, kWidth, kHeight));
    devices.back().Apps = {u"Demo"};
  }
  WriteDevices(devices);
  StartAutomationFromCommandLine unattended;
  MainWindow window;
  window.show();
  QApplication::setActiveWindow(&window);
  PaneContainer& clients = *window.Clients();
  const std::vector<DevicePane*> panes = clients.Panes();
  ASSERT_EQ(panes.size(), 3u);

  // Nobody clicks: every device's buttons get clicked by its own pane's App.
  QElapsedTimer since_read;
  std::map<int, int64_t> clicks;
  const bool every_device_clicked = QTest::qWaitFor(
      [&] {
        if (since_read.isValid() && since_read.elapsed() < kLogReadIntervalMs) return false;
        since_read.start();
        clicks = OkClicks(sim);
        return clicks.size() == 3 && std::all_of(clicks.begin(), clicks.end(), [](auto& c) { return c.second > 0; });
      },
      kRunsClickTimeoutMs);
  ASSERT_TRUE(every_device_clicked) << "devices whose OK was clicked: " << clicks.size();

  const auto running = [&] {
    std::vector<bool> r;
    for (DevicePane* pane : panes) r.push_back(pane->Controller()->Button(kButtonAutomation).state == 1);
    return r;
  };
  const auto paused = [&] {
    std::vector<bool> p;
    for (DevicePane* pane : panes) p.push_back(pane->Controller()->Button(kButtonPause).state == 1);
    return p;
  };
  EXPECT_EQ(running(), (std::vector<bool>{true, true, true}));

  // The second pane alone, stopped from the context menu's action.
  QTest::mouseClick(panes[1]->Title(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
  clients.Group().Action(GroupAction::Stop)->trigger();
  EXPECT_EQ(running(), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(panes[1]->Button(kButtonAutomation)->State(), 0) << "the pane shows it";

  // The first joins; Ctrl+Shift+S starts the second again and leaves the running first alone.
  QTest::mouseClick(panes[0]->Title(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(running(), (std::vector<bool>{true, true, true}));
  QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(paused(), (std::vector<bool>{true, true, false}));
  clients.Group().Action(GroupAction::Resume)->trigger();
  EXPECT_EQ(paused(), (std::vector<bool>{false, false, false}));
  QTest::keyClick(&window, Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(running(), (std::vector<bool>{false, false, true}));

  // Nothing picked: the action reaches every pane, and stops only the one still running.
  QTest::mouseClick(&clients, Qt::LeftButton, {}, panes[0]->geometry().topLeft() - QPoint(5, 5));
  clients.Group().Action(GroupAction::Stop)->trigger();
  EXPECT_EQ(running(), (std::vector<bool>{false, false, false}));
  window.CloseWithoutAsking();
}

}  // namespace
}  // namespace zor
