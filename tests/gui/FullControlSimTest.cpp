// The full control window against zorkvm-sim, for both device types, opened from the pane's
// thumbnail as the operator does it: frames reach the window, the keys and mouse moves typed
// into it reach the device as its protocol's messages, and the thumbnail keeps updating after
// it closes. The drivers' own tests check their delivery rates, FullControlWindowTest the window's
// StartStream and StopStream calls.
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gui/pane/DevicePane.h"
#include "gui/pane/FullControlWindow.h"
#include "gui/pane/ThumbnailView.h"
#include "session/DeviceSession.h"
#include "support/gui/QtTestSupport.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/TesselSim.h"

namespace zor {
namespace {

constexpr int kWaitMs = 15000;

// Runs the event loop until `done` holds; false after `timeout_ms`.
bool SettleUntil(const std::function<bool()>& done, int timeout_ms = kWaitMs) {
  return QTest::qWaitFor(done, timeout_ms);
}

// A pane for `device`, connected and showing pictures.
class SimPane {
 public:
  explicit SimPane(DeviceInfo device) : device_(std::move(device)) {
    pane_ = std::make_unique<DevicePane>(&host_, device_, 0, nullptr);
    pane_->SetFullControlOpener([](DevicePane& p) { FullControlWindow::OpenFor(p); });
    pane_->PressConnect();
  }
  ~SimPane() {
    pane_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  ThumbnailView* Thumb() const { return pane_->Thumb(); }
  bool WaitForPicture() {
    return SettleUntil([&] { return pane_->Thumb()->Picture() != nullptr; });
  }
  FullControlWindow* OpenByDoubleClick() {
    QTest::mouseDClick(pane_->Thumb(), Qt::LeftButton);
    return FullControlWindow::Find(*pane_->Session());
  }
  // The thumbnail shows `count` new pictures.
  bool ThumbnailKeepsUpdating(int count) {
    for (int i = 0; i < count; ++i) {
      const FramePtr shown = pane_->Thumb()->Picture();
      if (!SettleUntil([&] { return pane_->Thumb()->Picture() != shown; })) return false;
    }
    return true;
  }

 private:
  QWidget host_;
  DeviceInfo device_;
  std::unique_ptr<DevicePane> pane_;
};

class FullCtrlSimLive : public test::WithQtApp, public ::testing::Test {};

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(FullCtrlSimLive, SoftwareAgentStreamsWhileOpenAndTakesKeysAsJson) {
  test::SimProcessOptions options;
  options.extra_args = {"--size", "640x360", "--fps", "15"};
  test::SimProcess sim(options);
  ASSERT_TRUE(sim.Ready());
  SimPane pane(test::SoftKvmDevice(u"127.0.0.1", sim.Port(), 640, 360));
  ASSERT_TRUE(pane.WaitForPicture());

  FullControlWindow* window = pane.OpenByDoubleClick();
  ASSERT_NE(window, nullptr);
  const std::string stream = R"({"action":"stream","fps":15,"quality":70,"type":"SCRCTL"})";
  EXPECT_TRUE(SettleUntil([&] { return Contains(sim.ReceivedTexts(), stream); }));
  EXPECT_TRUE(SettleUntil([&] { return window->Picture() != nullptr; })) << "no frame reached the window";
  EXPECT_EQ(window->Picture()->width, 640u);

  QTest::keyClick(window, Qt::Key_A);
  QTest::keyClick(window, Qt::Key_Return);
  QTest::mouseMove(window, QPoint(100, 50));
  const std::vector<std::string> input = {
      R"({"action":"keydown","key":"a","type":"CONTROL"})", R"({"action":"keyup","key":"a","type":"CONTROL"})",
      R"({"action":"keydown","key":"enter","type":"CONTROL"})",
      R"({"action":"keyup","key":"enter","type":"CONTROL"})", R"({"action":"move","type":"CONTROL","x":100,"y":50})"};
  for (const std::string& text : input) {
    EXPECT_TRUE(SettleUntil([&] { return Contains(sim.ReceivedTexts(), text); })) << text;
  }

  window->close();
  const std::string stop = R"({"action":"stop_stream","type":"SCRCTL"})";
  EXPECT_TRUE(SettleUntil([&] { return Contains(sim.ReceivedTexts(), stop); }));
  EXPECT_TRUE(SettleUntil([&] {
    const auto texts = sim.ReceivedTexts();
    const auto stopped = std::find(texts.begin(), texts.end(), stop);
    return stopped != texts.end() &&
           std::find(stopped, texts.end(), R"({"action":"snapshot","quality":60,"type":"SCRCTL"})") != texts.end();
  })) << "snapshot polling did not resume";
  EXPECT_TRUE(pane.ThumbnailKeepsUpdating(2));
}

// The thumbnail alone gets pictures decoded small; the full control window gets the whole
// screen from its first picture on, and once it closes the thumbnail's pictures are small again.
TEST_F(FullCtrlSimLive, ThePaneDecodesSmallUntilFullControlOpensAndAgainAfterItCloses) {
  test::SimProcess sim(test::SimProcessOptions{});  // 1920 x 1080
  ASSERT_TRUE(sim.Ready());
  SimPane pane(test::SoftKvmDevice(u"127.0.0.1", sim.Port(), 1920, 1080));
  ASSERT_TRUE(pane.WaitForPicture());
  const FramePtr small = pane.Thumb()->Picture();
  EXPECT_TRUE(small->Scaled());
  EXPECT_EQ(small->ScreenWidth(), 1920u);

  FullControlWindow* window = pane.OpenByDoubleClick();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(SettleUntil([&] { return window->Picture() != nullptr; })) << "no frame reached the window";
  EXPECT_FALSE(window->Picture()->Scaled());
  EXPECT_EQ(window->Picture()->width, 1920u);

  window->close();
  EXPECT_TRUE(SettleUntil([&] {
    const FramePtr shown = pane.Thumb()->Picture();
    return shown && shown->Scaled();
  }));
}

TEST_F(FullCtrlSimLive, HardwareDeviceShowsTheWindowAndTakesKeysAsHidReports) {
  test::TesselSim sim({"--fps", "30", "--size", "640x360"});
  ASSERT_TRUE(sim.Ready());
  SimPane pane(sim.Device(640, 360));
  ASSERT_TRUE(pane.WaitForPicture());

  FullControlWindow* window = pane.OpenByDoubleClick();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(SettleUntil([&] { return window->Picture() != nullptr; })) << "no frame reached the window";

  const size_t before = sim.LinesWith("report").size();
  QTest::keyClick(window, Qt::Key_A, Qt::ShiftModifier);  // QTest presses Shift around it
  QKeyEvent hangul_press(QEvent::KeyPress, Qt::Key_Hangul, Qt::NoModifier);  // no ASCII name for QTest
  QKeyEvent hangul_release(QEvent::KeyRelease, Qt::Key_Hangul, Qt::NoModifier);
  QApplication::sendEvent(window, &hangul_press);
  QApplication::sendEvent(window, &hangul_release);
  QTest::mouseMove(window, QPoint(320, 180));
  const std::vector<std::string> reports = sim.WaitForReports(before + 7);
  ASSERT_EQ(reports.size(), before + 7);
  EXPECT_EQ(std::vector<std::string>(reports.begin() + static_cast<std::ptrdiff_t>(before), reports.end()),
            (std::vector<std::string>{
                "key 2 0",      // left Shift down: its own bit, no key
                "key 2 4",      // A with Shift held
                "key 2 0",      // A up, Shift still held
                "key 0 0",      // Shift up
                "key 64 0",     // the Hangul key: right Alt tapped on the device
                "key 0 0",
                "mouse 0 16383 16383 0",
            }));

  window->close();
  EXPECT_TRUE(pane.ThumbnailKeepsUpdating(2));
}

}  // namespace
}  // namespace zor
