// The main window with its top frame and clients container, on devices from a real "config.ini"
// in a temporary program folder. Devices of an unknown type have no driver and stay Connecting;
// the live suite's software agent devices point at zorkvm-sim.
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/pane/DevicePane.h"
#include "gui/pane/FullControlWindow.h"
#include "gui/pane/PaneTitleBar.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"
#include "gui/window/MainWindow.h"
#include "gui/window/PaneContainer.h"
#include "gui/window/TopBar.h"
#include "model/DeviceListFile.h"
#include "presentation/ToolBarLayout.h"
#include "support/gui/QtTestSupport.h"
#include "support/SimProcess.h"
#include "ui_DeviceDialog.h"

namespace zor {
namespace {

// A device type without a driver: the pane exists, nothing ever connects.
constexpr uint32_t kNoDriverType = 7;

DeviceInfo Device(uint32_t type, const std::u16string& ip, uint32_t port = 80) {
  DeviceInfo d;
  d.Type = type;
  d.ConnectIP = ip;
  d.Port = port;
  return d;
}

class MainWindowTest : public test::WithQtApp, public ::testing::Test {
 protected:
  void WriteConfig(const std::vector<DeviceInfo>& devices) {
    DeviceList list;
    for (const auto& d : devices) list.push_back(std::make_unique<DeviceInfo>(d));
    ASSERT_TRUE(SaveDeviceList(ConfigPath(), list));
  }
  DeviceList ReadConfig() {
    DeviceList list;
    EXPECT_TRUE(LoadDeviceList(ConfigPath(), list));
    return list;
  }
  static std::u16string ConfigPath() { return AppConfig::Instance().BaseDir + kConfigFileName; }

  test::ProgramFolder folder_;
};

TEST_F(MainWindowTest, SizesAndToolBarPositions) {
  MainWindow window;
  window.show();
  window.resize(1000, 700);
  const int expected[] = {849, 886, 923, 960};
  for (size_t i = 0; i < kToolBarCommands.size(); ++i) {
    EXPECT_EQ(window.Top()->Button(kToolBarCommands[i])->geometry(), QRect(expected[i], 2, 36, 36));
  }
  EXPECT_EQ(window.Top()->geometry(), QRect(0, 0, 1000, 40));
  EXPECT_EQ(window.Clients()->geometry(), QRect(0, 40, 1000, 660));
  window.resize(500, 400);  // refused below the minimum
  EXPECT_EQ(window.size(), QSize(800, 600));
}

TEST_F(MainWindowTest, PanesAreTiledAndScrolled) {
  WriteConfig(std::vector<DeviceInfo>(8, Device(kNoDriverType, u"127.0.0.1")));
  MainWindow window;
  window.show();
  PaneContainer& clients = *window.Clients();
  ASSERT_EQ(clients.Panes().size(), 8u);
  // 1920 wide: four per row (the arithmetic is LayoutTiles'); the content fits, no scroll bar.
  EXPECT_EQ(clients.Panes()[4]->pos(), QPoint(10, 320));
  EXPECT_FALSE(clients.ScrollBar()->isVisible());
  // 800 x 600: 560 high container; the scroll bar takes its width, one pane per row remains.
  window.resize(800, 600);
  EXPECT_TRUE(clients.ScrollBar()->isVisible());
  EXPECT_LT(clients.LayoutWidth(), 830);
  EXPECT_EQ(clients.ContentHeight(), 8 * 310 + 10);
  QScrollBar& bar = *clients.ScrollBar();
  EXPECT_EQ(bar.maximum(), clients.ContentHeight() - 560);
  bar.triggerAction(QAbstractSlider::SliderSingleStepSub);  // line up at 0 stays at 0
  EXPECT_EQ(bar.value(), 0);
  bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar.value(), 20);
  EXPECT_EQ(clients.Panes()[1]->pos(), QPoint(10, 320 - 20));
  bar.triggerAction(QAbstractSlider::SliderToMaximum);
  bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);  // line down at the bottom stays
  EXPECT_EQ(bar.value(), bar.maximum());
  EXPECT_EQ(clients.Panes()[7]->pos().y(), 7 * 310 + 10 - bar.maximum());
  // Growing back keeps tiles and scroll bar aligned: the position is limited to the new range.
  window.resize(1920, 1080);
  EXPECT_EQ(bar.value(), 0);
  EXPECT_EQ(clients.Panes()[4]->pos(), QPoint(10, 320));
}

TEST_F(MainWindowTest, OnlyPanesInSightAskForAPicture) {
  WriteConfig(std::vector<DeviceInfo>(8, Device(kNoDriverType, u"127.0.0.1")));
  MainWindow window;
  window.show();
  window.resize(800, 600);  // one pane per row, 560 high: panes 0 and 1 show, 1 only in part
  const std::vector<DevicePane*> panes = window.Clients()->Panes();
  const auto seen = [&panes] {
    std::vector<bool> seen;
    for (const DevicePane* pane : panes) seen.push_back(!pane->Thumb()->Need().IsUnseen());
    return seen;
  };
  EXPECT_EQ(seen(), std::vector<bool>({true, true, false, false, false, false, false, false}));
  window.Clients()->ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(seen(), std::vector<bool>({false, false, false, false, false, false, true, true}));
  window.resize(1920, 1080);
  EXPECT_EQ(seen(), std::vector<bool>(8, true));
  window.showMinimized();
  EXPECT_EQ(seen(), std::vector<bool>(8, false));
  window.showNormal();
  EXPECT_EQ(seen(), std::vector<bool>(8, true));
}

TEST_F(MainWindowTest, DeletingTheMiddleDeviceRenumbersAndSaves) {
  WriteConfig({Device(kNoDriverType, u"127.0.0.1"), Device(kNoDriverType, u"127.0.0.2"),
               Device(kNoDriverType, u"127.0.0.3")});
  MainWindow window;
  window.show();
  PaneContainer& clients = *window.Clients();
  ASSERT_EQ(clients.Panes().size(), 3u);
  // The third pane is stopped by the operator; after the delete it is rebuilt and Connecting.
  DevicePane* third = clients.Panes()[2];
  third->Session()->SetState(ConnectionState::Stop);

  test::MessageSeen no;
  test::AnswerNextMessage(no, QMessageBox::No);
  QTest::mouseDClick(clients.Panes()[1]->Button(kButtonDelete), Qt::LeftButton);
  test::Settle();
  EXPECT_TRUE(no.text.startsWith("정말로 이 항목을 삭제하시겠습니까?")) << no.text.toStdString();
  EXPECT_TRUE(no.text.contains("127.0.0.2")) << "the question names the device";
  EXPECT_EQ(clients.Panes().size(), 3u);

  test::MessageSeen yes;
  test::AnswerNextMessage(yes, QMessageBox::Yes);
  QTest::mouseDClick(clients.Panes()[1]->Button(kButtonDelete), Qt::LeftButton);
  test::Settle();
  ASSERT_TRUE(yes.seen);
  ASSERT_EQ(clients.Panes().size(), 2u);
  EXPECT_EQ(clients.Panes()[1], third);
  EXPECT_EQ(third->Index(), 1u);
  EXPECT_EQ(clients.Devices()[1]->Index, 1u);
  EXPECT_EQ(third->Session()->State(), ConnectionState::Connecting);
  EXPECT_EQ(third->pos(), QPoint(420, 10));
  const DeviceList saved = ReadConfig();
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[1]->ConnectIP, u"127.0.0.3");
}

TEST_F(MainWindowTest, EditOpensTheDialogOnThatPanesRecordAndSaves) {
  WriteConfig({Device(kNoDriverType, u"127.0.0.1"), Device(kNoDriverType, u"127.0.0.2")});
  MainWindow window;
  window.show();
  QString shown;
  QString title;
  test::OnNextModal([&shown, &title](QWidget* modal) {
    auto* dialog = qobject_cast<QDialog*>(modal);
    auto* ip = dialog->findChild<QLineEdit*>("connectIpEdit");
    shown = ip->text();
    title = dialog->windowTitle();
    ip->setText("127.0.0.22");
    dialog->findChild<QPushButton*>("okButton")->click();
  });
  QTest::mouseDClick(window.Clients()->Panes()[1]->Button(kButtonEdit), Qt::LeftButton);
  test::Settle();
  EXPECT_EQ(shown, "127.0.0.2");
  EXPECT_EQ(title, QCoreApplication::translate("zor::DeviceDialog", "Device Edit"));
  EXPECT_EQ(ReadConfig()[1]->ConnectIP, u"127.0.0.22");
}

TEST_F(MainWindowTest, AddingADeviceSavesOrTellsOfTheCancel) {
  MainWindow window;
  window.show();
  test::MessageSeen notice;
  test::OnNextModal([&notice](QWidget* modal) {
    qobject_cast<QDialog*>(modal)->findChild<QPushButton*>("cancelButton")->click();
    test::AnswerNextMessage(notice, QMessageBox::Ok);
  });
  QTest::mouseClick(window.Top()->Button(1101), Qt::LeftButton);
  EXPECT_EQ(notice.text, "취소 버튼을 누르셨습니다.");
  EXPECT_TRUE(window.Clients()->Panes().empty());

  test::OnNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<QDialog*>(modal);
    dialog->findChild<QComboBox*>("typeCombo")->setCurrentIndex(1);
    // Tests reach nothing beyond this machine, should the connect timer fire meanwhile.
    dialog->findChild<QLineEdit*>("connectIpEdit")->setText("127.0.0.1");
    dialog->findChild<QPushButton*>("okButton")->click();
  });
  QTest::mouseClick(window.Top()->Button(1101), Qt::LeftButton);
  ASSERT_EQ(window.Clients()->Panes().size(), 1u);
  const DeviceList saved = ReadConfig();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0]->Type, 1u);
}

TEST_F(MainWindowTest, AnUnreadableDeviceListIsKeptAsideBeforeTheFirstSave) {
  QFile foreign(folder_.Path("config.ini"));
  ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
  foreign.write("not a device list of this program");
  foreign.close();
  MainWindow window;
  window.show();
  EXPECT_TRUE(window.Clients()->Panes().empty());
  test::OnNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<QDialog*>(modal);
    dialog->findChild<QLineEdit*>("connectIpEdit")->setText("127.0.0.1");
    dialog->findChild<QPushButton*>("okButton")->click();
  });
  QTest::mouseClick(window.Top()->Button(1101), Qt::LeftButton);
  EXPECT_EQ(ReadConfig().size(), 1u);
  QFile kept(folder_.Path("config.ini.bak"));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "not a device list of this program");
}

TEST_F(MainWindowTest, QuitAsksFirstAndNoKeepsEverything) {
  WriteConfig({Device(kNoDriverType, u"127.0.0.1")});
  MainWindow window;
  window.show();
  test::MessageSeen no;
  test::AnswerNextMessage(no, QMessageBox::No);
  window.close();
  EXPECT_EQ(no.text, "프로그램을 종료하시겠습니까?");
  EXPECT_TRUE(window.isVisible());
  ASSERT_NE(window.Clients(), nullptr);
  EXPECT_EQ(window.Clients()->Panes().size(), 1u);

  test::MessageSeen yes;
  test::AnswerNextMessage(yes, QMessageBox::Yes);
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.Clients(), nullptr);
  EXPECT_EQ(window.Top(), nullptr);
}

TEST_F(MainWindowTest, CtrlFOpensFullControlOfThePaneClickedLast) {
  WriteConfig({Device(kNoDriverType, u"127.0.0.1"), Device(kNoDriverType, u"127.0.0.2")});
  MainWindow window;
  window.show();
  QApplication::setActiveWindow(&window);
  PaneContainer& clients = *window.Clients();
  EXPECT_EQ(clients.SelectedPane(), clients.Panes()[0]) << "before any click, the first";
  DevicePane* second = clients.Panes()[1];
  QTest::mouseClick(second->Title(), Qt::LeftButton, {}, QPoint(5, 5));  // any click selects it
  EXPECT_EQ(clients.SelectedPane(), second);
  QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
  FullControlWindow* opened = FullControlWindow::Find(*second->Session());
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(FullControlWindow::Find(*clients.Panes()[0]->Session()), nullptr);
  opened->close();
}

// The rule itself is ConnectTimerTest's; here the real panes carry it out.
TEST_F(MainWindowTest, ConnectTimerPressesOnePaneAndRestartsItsHungAttempt) {
  WriteConfig(std::vector<DeviceInfo>(3, Device(kNoDriverType, u"127.0.0.1")));
  PaneContainer clients(nullptr, nullptr);
  clients.resize(1300, 700);
  clients.show();
  const auto& panes = clients.Panes();
  ASSERT_EQ(panes.size(), 3u);
  std::vector<IConnectTimerPane*> list(panes.begin(), panes.end());
  auto connect_state = [&](size_t i) { return panes[i]->Controller()->Button(kButtonConnect).state; };
  for (int tick = 1; tick <= 7; ++tick) ConnectTimerStep(list);
  EXPECT_EQ(connect_state(0), 1);
  EXPECT_EQ(panes[0]->ConnectWait(), 7);
  ConnectTimerStep(list);  // the seventh tick after the press: given up and pressed again
  EXPECT_EQ(panes[0]->Session()->State(), ConnectionState::Offline);
  EXPECT_EQ(panes[0]->Thumb()->ShownState(), ConnectionState::Offline);
  EXPECT_EQ(connect_state(0), 1);
  EXPECT_EQ(panes[0]->ConnectWait(), 1);
  ConnectTimerStep(list);  // the first pane left Connecting: the second is pressed
  EXPECT_EQ(connect_state(1), 1);
  EXPECT_EQ(connect_state(2), 0);
}

// Starts zorkvm-sim.
class MainWindowLive : public MainWindowTest {};

TEST_F(MainWindowLive, ConnectTimerBringsEveryPaneToStreamingOneAfterAnother) {
  test::SimProcessOptions options;
  options.extra_args = {"--devices", "3", "--size", "640x360"};
  test::SimProcess sim(options);
  ASSERT_TRUE(sim.Ready());
  std::vector<DeviceInfo> devices;
  for (uint16_t port : sim.Ports()) devices.push_back(Device(0, u"127.0.0.1", port));
  WriteConfig(devices);
  MainWindow window;
  window.show();
  const auto& panes = window.Clients()->Panes();
  ASSERT_EQ(panes.size(), 3u);
  // Watch the order while the event loop runs: a pane is pressed only once the one before it
  // streams. Each observation is numbered; a pane's press must not be seen before its
  // predecessor's streaming.
  int observation = 0;
  std::vector<int> pressed_at(3, -1), streaming_at(3, -1);
  const bool all_streaming = QTest::qWaitFor(
      [&] {
        ++observation;
        for (size_t i = 0; i < 3; ++i) {
          if (pressed_at[i] < 0 && panes[i]->Controller()->Button(kButtonConnect).state == 1) pressed_at[i] = observation;
          if (streaming_at[i] < 0 && panes[i]->Session()->State() == ConnectionState::Streaming) streaming_at[i] = observation;
        }
        return streaming_at[2] >= 0;
      },
      60000);
  ASSERT_TRUE(all_streaming) << "the last pane never streamed";
  test::Settle();  // the last state change reaches the widgets
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_GE(streaming_at[i], 0) << "pane " << i << " never streamed";
    EXPECT_EQ(panes[i]->Thumb()->ShownState(), ConnectionState::Streaming);
    EXPECT_TRUE(panes[i]->Button(kButtonEditor)->IsButtonEnabled());
    if (i > 0) {
      EXPECT_GE(pressed_at[i], streaming_at[i - 1]) << "pane " << i << " pressed too early";
    }
  }
}

}  // namespace
}  // namespace zor
