// The pane shows what its session is in: a worker's failure as Error with the reason, until the
// operator presses the start button again; Offline with the driver's reason; a run that waits.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"
#include "presentation/ConnectTimer.h"
#include "support/Frames.h"
#include "support/RefusingPort.h"
#include "support/gui/QtTestSupport.h"
#include "support/Wait.h"

namespace zor {
namespace {

DeviceInfo DriverlessDevice() {
  DeviceInfo device;
  device.Type = 7;  // no driver: the test hands the frames over
  return device;
}

class DevicePaneTest : public test::WithQtApp, public ::testing::Test {
 protected:
  DeviceInfo device_ = DriverlessDevice();
  DevicePane pane_{nullptr, device_, 0, nullptr};
};

TEST_F(DevicePaneTest, AWorkersFailureShowsAsErrorWithItsReasonUntilTheStartButton) {
  pane_.Session()->OnFrame(test::MakeUniformFrame(8, 4, 1));
  // Reported from a thread of its own, as a worker does.
  std::thread worker([this] { pane_.Session()->ReportFailure("App 0 stopped: no room for the result"); });
  worker.join();
  ASSERT_TRUE(test::WaitUntil([this] {
    QApplication::processEvents();
    return pane_.Thumb()->ShownState() == ConnectionState::Error;
  }));
  EXPECT_EQ(pane_.Thumb()->toolTip(), QString("App 0 stopped: no room for the result"));

  QTest::mouseClick(pane_.Button(kButtonAutomation), Qt::LeftButton);
  EXPECT_EQ(pane_.Thumb()->ShownState(), ConnectionState::Streaming);
  EXPECT_FALSE(pane_.Thumb()->toolTip().contains("App 0 stopped")) << "the reason goes with the error";
}

TEST_F(DevicePaneTest, ButtonsSayWhatTheyDoAndTheThumbnailNamesTheDevice) {
  // Before a frame, the pane shows the address; the edited record's name once it has one.
  EXPECT_EQ(pane_.Thumb()->Caption(), QString::fromStdU16String(device_.ConnectIP));
  device_.Name = u"Kiosk 3";
  pane_.RecreateDriver();
  EXPECT_EQ(pane_.Thumb()->Caption(), QString("Kiosk 3"));

  // The double-click buttons say so (in Korean, the test programs' language); two-state buttons
  // say what a click does now.
  for (int32_t id : {kButtonDelete, kButtonEdit, kButtonEditor}) {
    EXPECT_TRUE(pane_.Button(id)->toolTip().contains(QStringLiteral("더블클릭"))) << id;
  }
  StateIconButton* automation = pane_.Button(kButtonAutomation);
  const QString start_tip = automation->toolTip();
  pane_.Session()->OnFrame(test::MakeUniformFrame(8, 4, 1));
  QTest::mouseClick(automation, Qt::LeftButton);
  EXPECT_FALSE(automation->toolTip().isEmpty());
  EXPECT_NE(automation->toolTip(), start_tip) << "running, the button offers to stop";
}

TEST_F(DevicePaneTest, TheDisconnectButtonLooksLikeAnActionNotAnError) {
  StateIconButton* connect = pane_.Button(kButtonConnect);
  const QString connect_glyph = connect->ShownText();
  QTest::mouseClick(connect, Qt::LeftButton);
  ASSERT_EQ(connect->State(), 1);
  EXPECT_EQ(connect->toolTip(), QCoreApplication::translate("DevicePane", "Disconnect"));
  EXPECT_NE(connect->ShownText(), connect_glyph) << "it shows a glyph of its own";
  const QImage pressed = connect->grab().toImage();
  for (int y = 0; y < pressed.height(); ++y) {
    for (int x = 0; x < pressed.width(); ++x) {
      const QColor c = pressed.pixelColor(x, y);
      ASSERT_FALSE(c.red() > c.green() + 80 && c.red() > c.blue() + 80) << "red at " << x << "," << y;
    }
  }
}

TEST(DevicePaneOffline, ADeviceThatRefusesConnectionsShowsOfflineWithTheReason) {
  test::WithQtApp app;
  const test::RefusingPort refusing("127.0.0.1");
  ASSERT_NE(refusing.Port(), 0);
  DeviceInfo device;
  device.Type = 0;  // software agent
  device.ConnectIP = u"127.0.0.1";
  device.Port = refusing.Port();
  DevicePane pane(nullptr, device, 0, nullptr);
  IConnectTimerPane* const panes[] = {&pane};

  ConnectTimerStep(panes);  // the first tick presses connect
  ASSERT_TRUE(test::WaitUntil([&] { return pane.Session()->LastError() == "connection refused"; }))
      << pane.Session()->LastError();
  for (int32_t tick = 0; tick <= kMaxConnectWaitTicks; ++tick) ConnectTimerStep(panes);
  ASSERT_EQ(pane.Thumb()->ShownState(), ConnectionState::Offline);
  const QStringList lines = pane.Thumb()->StateDetail().split('\n');
  ASSERT_GE(lines.size(), 2) << pane.Thumb()->StateDetail().toStdString();
  EXPECT_EQ(lines[0], QString("connection refused"));
  EXPECT_EQ(lines[1], QCoreApplication::translate("zor::DevicePane", "trying again by itself"))
      << "the connect timer pressed connect again";
}

TEST_F(DevicePaneTest, AStartWithoutAPictureSaysItWaitsForTheDevice) {
  EXPECT_TRUE(pane_.Thumb()->StateDetail().isEmpty());
  QTest::mouseClick(pane_.Button(kButtonAutomation), Qt::LeftButton);
  EXPECT_EQ(pane_.Thumb()->ShownState(), ConnectionState::Connecting);
  EXPECT_EQ(pane_.Thumb()->StateDetail(),
            QCoreApplication::translate("zor::DevicePane", "automation waits for the device"));
  pane_.Session()->OnFrame(test::MakeUniformFrame(8, 4, 1));
  ASSERT_TRUE(test::WaitUntil([this] {
    QApplication::processEvents();
    return pane_.Thumb()->ShownState() == ConnectionState::Streaming;
  }));
  EXPECT_TRUE(pane_.Thumb()->StateDetail().isEmpty());
}

TEST_F(DevicePaneTest, ARunHeldByTheWatchdogSaysWhyUntilTheRightPicturesCome) {
  test::ProgramFolder folder;
  device_.Apps = {u"NoFile"};  // an App without a file runs with no Scene: enough for a worker
  device_.ScreenWidth = 64;
  device_.ScreenHeight = 48;
  pane_.Session()->OnFrame(test::MakeUniformFrame(64, 48, 1));
  QTest::mouseClick(pane_.Button(kButtonAutomation), Qt::LeftButton);
  const auto detail_becomes = [this](const QString& text) {
    return test::WaitUntil([&] {
      QApplication::processEvents();
      return pane_.Thumb()->StateDetail() == text;
    });
  };
  pane_.Session()->OnFrame(test::MakeUniformFrame(32, 24, 1));
  EXPECT_TRUE(detail_becomes(
      QCoreApplication::translate("zor::DevicePane", "automation paused: the screen is not %1 x %2").arg(64).arg(48)))
      << pane_.Thumb()->StateDetail().toStdString();
  pane_.Session()->OnFrame(test::MakeUniformFrame(64, 48, 1));
  EXPECT_TRUE(detail_becomes(QString())) << pane_.Thumb()->StateDetail().toStdString();
}

}  // namespace
}  // namespace zor
