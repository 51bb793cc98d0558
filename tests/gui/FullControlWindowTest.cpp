// The full control window with a recording driver in the pane's client: opening and closing,
// mouse and keys as the driver receives them, the input method kept out, painting and the
// frames-per-second title.
#include <QPointer>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/pane/DevicePane.h"
#include "gui/pane/FullControlWindow.h"
#include "gui/pane/ThumbnailView.h"
#include "session/DeviceSession.h"
#include "support/gui/QtTestSupport.h"
#include "support/gui/RecordedPane.h"

namespace zor {
namespace {

constexpr uint32_t kScreenWidth = 640;
constexpr uint32_t kScreenHeight = 360;

FramePtr SolidFrame(uint32_t width, uint32_t height, QRgb colour) {
  auto frame = std::make_shared<ScreenImage>();
  frame->width = width;
  frame->height = height;
  frame->pixels.resize(size_t{width} * height * 4);
  for (size_t i = 0; i < frame->pixels.size(); i += 4) {
    frame->pixels[i] = static_cast<uint8_t>(qBlue(colour));
    frame->pixels[i + 1] = static_cast<uint8_t>(qGreen(colour));
    frame->pixels[i + 2] = static_cast<uint8_t>(qRed(colour));
    frame->pixels[i + 3] = 255;
  }
  return frame;
}

class FullControlWindowTest : public test::WithQtApp, public ::testing::Test {
 protected:
  FullControlWindowTest() {
    pane_->SetFullControlOpener([](DevicePane& p) { FullControlWindow::OpenFor(p); });
  }

  DeviceSession& Client() { return *pane_->Session(); }
  // Opened as the operator does it: a double click on the thumbnail.
  FullControlWindow* OpenByDoubleClick() {
    QTest::mouseDClick(pane_->Thumb(), Qt::LeftButton);
    return FullControlWindow::Find(Client());
  }
  FullControlWindow* OpenAndForget() {
    FullControlWindow* window = OpenByDoubleClick();
    driver_->TakeLines();
    return window;
  }

  test::RecordedPane recorded_{test::RecordedDevice(kScreenWidth, kScreenHeight)};
  DevicePane* pane_ = &recorded_.Pane();
  test::RecordingDriver* driver_ = &recorded_.Driver();
};

using Calls = std::vector<std::string>;

TEST_F(FullControlWindowTest, OneWindowPerClientSizedToTheScreenAndNotResizable) {
  FullControlWindow* window = OpenByDoubleClick();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isWindow());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(kScreenWidth, kScreenHeight));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(Client().FullControlOpen());
  pane_->SyncFromController();
  EXPECT_TRUE(pane_->Thumb()->FullControl());

  EXPECT_EQ(OpenByDoubleClick(), window) << "a second request raises the same window";
  int windows = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) windows += qobject_cast<FullControlWindow*>(w) != nullptr;
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(driver_->Lines(), (Calls{"StartStream", "StartStream"}));
}

TEST_F(FullControlWindowTest, ClosingReleasesHeldKeysAndLowersTheDriver) {
  QPointer<FullControlWindow> window = OpenAndForget();
  QTest::keyPress(window, Qt::Key_Shift);
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(driver_->Lines(), (Calls{"KeyEvent press 160", "KeyEvent release 160", "StopStream"}));
  EXPECT_FALSE(Client().FullControlOpen());
  EXPECT_FALSE(OperatorKeyboard().IsKeyDown(vk::kShift));
  EXPECT_EQ(FullControlWindow::Find(Client()), nullptr);
}

TEST_F(FullControlWindowTest, TheClientGoingFirstClosesTheWindow) {
  QPointer<FullControlWindow> window = OpenAndForget();
  Client().OnFrame(SolidFrame(kScreenWidth, kScreenHeight, qRgb(1, 2, 3)));
  pane_->ReleaseController();  // the device was deleted while its window was open
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST_F(FullControlWindowTest, MouseReachesTheDriverInClientPixelsAndADoubleClickIsTwoPresses) {
  FullControlWindow* window = OpenAndForget();
  QTest::mouseMove(window, QPoint(10, 20));
  QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 20));
  QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(10, 20));
  QTest::mousePress(window, Qt::RightButton, {}, QPoint(10, 20));
  QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(10, 20));
  QTest::mousePress(window, Qt::MiddleButton, {}, QPoint(10, 20));  // not a device button
  EXPECT_EQ(driver_->TakeLines(), (Calls{"MouseMove 10 20", "MouseButton left down", "MouseButton left up",
                                         "MouseButton right down", "MouseButton right up"}));

  // A drag that leaves the window stops at its edge.
  QMouseEvent outside(QEvent::MouseMove, QPointF(-30, 5000), window->mapToGlobal(QPointF(-30, 5000)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &outside);
  EXPECT_EQ(driver_->TakeLines(), (Calls{"MouseMove 0 359"}));

  // What the platform delivers for a double click (press, release, double click, release) is
  // two presses.
  const QPoint at(3, 4);
  QTest::mousePress(window, Qt::LeftButton, {}, at);
  QTest::mouseRelease(window, Qt::LeftButton, {}, at);
  QTest::mouseDClick(window, Qt::LeftButton, {}, at);
  QTest::mouseRelease(window, Qt::LeftButton, {}, at);
  Calls buttons;
  for (const std::string& call : driver_->Lines()) {
    if (call.rfind("MouseButton", 0) == 0) buttons.push_back(call);
  }
  EXPECT_EQ(buttons, (Calls{"MouseButton left down", "MouseButton left up", "MouseButton left down",
                            "MouseButton left up"}));
}

TEST_F(FullControlWindowTest, WheelDeltaGoesThroughUnchanged) {
  FullControlWindow* window = OpenAndForget();
  const struct {
    QPoint angle;
    const char* expected;  // nullptr: nothing
  } cases[] = {
      {{0, -120}, "MouseWheel true -120"},  // toward the user
      {{0, 120}, "MouseWheel false 120"},   // away from the user
      {{0, 240}, "MouseWheel false 240"},
      {{0, 15}, "MouseWheel false 15"},  // a fine-grained wheel's step
      {{-120, 0}, nullptr},              // horizontal: not the device's wheel
  };
  for (const auto& c : cases) {
    QWheelEvent wheel(QPointF(5, 5), window->mapToGlobal(QPointF(5, 5)), QPoint(), c.angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &wheel);
    EXPECT_EQ(driver_->TakeLines(), c.expected ? Calls{c.expected} : Calls{}) << c.angle.y();
  }
}

TEST_F(FullControlWindowTest, KeysThatWidgetsOrShortcutsWouldTakeReachTheDevice) {
  FullControlWindow* window = OpenAndForget();
  int shortcut_fired = 0;
  QShortcut shortcut(QKeySequence(Qt::CTRL | Qt::Key_W), &recorded_.Host(), [&] { ++shortcut_fired; });
  shortcut.setContext(Qt::ApplicationShortcut);

  QTest::keyClick(window, Qt::Key_Tab);
  QTest::keyClick(window, Qt::Key_Backtab, Qt::ShiftModifier);  // QTest presses Shift around it
  QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
  QTest::keyPress(window, Qt::Key_Alt);
  QTest::keyClick(window, Qt::Key_F4);
  QTest::keyRelease(window, Qt::Key_Alt);
  EXPECT_EQ(shortcut_fired, 0);
  EXPECT_EQ(driver_->Lines(), (Calls{
                                  "KeyEvent press 9", "KeyEvent release 9",
                                  "KeyEvent press 160", "KeyEvent press 9",
                                  "KeyEvent release 9", "KeyEvent release 160",
                                  "KeyEvent press 162", "KeyEvent press 87",
                                  "KeyEvent release 87", "KeyEvent release 162",
                                  "KeyEvent press 164",
                                  "KeyEvent press 115", "KeyEvent release 115",
                                  "KeyEvent release 164",
                              }));
}

TEST_F(FullControlWindowTest, RightAltAndHangulToggleTheLanguageOnRelease) {
  FullControlWindow* window = OpenAndForget();
  const quint32 alt_r = 0xffea;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier, 108, alt_r, 0);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier, 108, alt_r, 0);
  QApplication::sendEvent(window, &press);
  EXPECT_EQ(driver_->Lines(), Calls{}) << "the press is ignored";
  QApplication::sendEvent(window, &release);
  // The Hangul key has no ASCII name for QTest::keyClick.
  QKeyEvent hangul_press(QEvent::KeyPress, Qt::Key_Hangul, Qt::NoModifier, 130, 0xff31, 0);
  QKeyEvent hangul_release(QEvent::KeyRelease, Qt::Key_Hangul, Qt::NoModifier, 130, 0xff31, 0);
  QApplication::sendEvent(window, &hangul_press);
  QApplication::sendEvent(window, &hangul_release);
  EXPECT_EQ(driver_->Lines(), (Calls{"ToggleHangulMode", "ToggleHangulMode"}));
}

TEST_F(FullControlWindowTest, RepeatedKeysArriveAsPressesOnly) {
  FullControlWindow* window = OpenAndForget();
  QTest::keyPress(window, Qt::Key_A);
  QKeyEvent repeat_release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString("a"), true);
  QKeyEvent repeat_press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString("a"), true);
  QApplication::sendEvent(window, &repeat_release);
  QApplication::sendEvent(window, &repeat_press);
  QTest::keyRelease(window, Qt::Key_A);
  EXPECT_EQ(driver_->Lines(), (Calls{"KeyEvent press 65", "KeyEvent press 65",
                                     "KeyEvent release 65"}));
}

TEST_F(FullControlWindowTest, LosingTheFocusReleasesHeldKeys) {
  FullControlWindow* window = OpenAndForget();
  QTest::keyPress(window, Qt::Key_Control);
  EXPECT_TRUE(OperatorKeyboard().IsKeyDown(vk::kLeftControl));
  QFocusEvent focus_out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(window, &focus_out);
  EXPECT_EQ(driver_->Lines(), (Calls{"KeyEvent press 162", "KeyEvent release 162"}));
  EXPECT_FALSE(OperatorKeyboard().IsKeyDown(vk::kLeftControl));
}

TEST_F(FullControlWindowTest, TheInputMethodStaysOut) {
  FullControlWindow* window = OpenAndForget();
  EXPECT_FALSE(window->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_FALSE(window->inputMethodQuery(Qt::ImEnabled).toBool());
  QInputMethodEvent composing(QStringLiteral("ㅎ"), {});
  QApplication::sendEvent(window, &composing);
  QInputMethodEvent committed;
  committed.setCommitString(QStringLiteral("한"));
  QApplication::sendEvent(window, &committed);
  EXPECT_EQ(driver_->Lines(), Calls{});
}

QColor PixelAt(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

TEST_F(FullControlWindowTest, PaintsBlackThenTheFrameLetterboxedWhenItsSizeDiffers) {
  FullControlWindow* window = OpenAndForget();
  EXPECT_EQ(PixelAt(*window, 320, 180), QColor(Qt::black));

  Client().OnFrame(SolidFrame(kScreenWidth, kScreenHeight, qRgb(200, 20, 10)));
  test::Settle();
  EXPECT_EQ(PixelAt(*window, 0, 0), QColor(200, 20, 10));
  EXPECT_EQ(PixelAt(*window, 639, 359), QColor(200, 20, 10));

  // A square picture in a 16:9 window: full height, centred, black on both sides.
  Client().OnFrame(SolidFrame(100, 100, qRgb(0, 0, 250)));
  test::Settle();
  const QImage shown = window->grab().toImage();
  EXPECT_EQ(shown.pixelColor(130, 180), QColor(Qt::black));
  EXPECT_EQ(shown.pixelColor(150, 0), QColor(0, 0, 250));
  EXPECT_EQ(shown.pixelColor(489, 359), QColor(0, 0, 250));
  EXPECT_EQ(shown.pixelColor(510, 180), QColor(Qt::black));
}

TEST_F(FullControlWindowTest, TheTitleShowsThePaintsOfTheLastCompletedSecond) {
  FullControlWindow* window = OpenAndForget();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  int64_t now_ns = 0;
  window->SetClock([&] { return now_ns; });
  const auto paint = [&](QRgb colour) {
    Client().OnFrame(SolidFrame(kScreenWidth, kScreenHeight, colour));
    window->grab();  // paints the window once, now
  };
  for (int i = 0; i < 14; ++i) paint(qRgb(i, i, i));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("전체 제어"));  // "Full Control" in Korean

  now_ns = PaintRate::kSecondNs;  // the fifteenth paint completes the first second
  paint(qRgb(99, 99, 99));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("전체 제어  |  FPS: 15"));
}

}  // namespace
}  // namespace zor
