// The pane shows what its session is in: a worker's failure as Error with the reason, until the
// operator presses the start button again.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"
#include "support/Frames.h"
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
  EXPECT_TRUE(pane_.Thumb()->toolTip().isEmpty());
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

}  // namespace
}  // namespace zor
