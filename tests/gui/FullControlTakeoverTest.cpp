// The operator's takeover in the full control window of a pane that runs its Apps: each kind
// of input sent to the device holds the run while the toggle is on, the title and the pane say
// so, and with the toggle off the same input goes to the device and holds nothing. When the
// run goes on again is OperatorHoldTest's, on a clock the test moves.
#include <QCheckBox>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "gui/pane/DevicePane.h"
#include "gui/pane/FullControlWindow.h"
#include "gui/pane/ThumbnailView.h"
#include "presentation/PaneController.h"
#include "session/DeviceSession.h"
#include "support/Frames.h"
#include "support/Wait.h"
#include "support/gui/QtTestSupport.h"
#include "support/gui/RecordedPane.h"

namespace zor {
namespace {

constexpr uint32_t kScreenWidth = 320;
constexpr uint32_t kScreenHeight = 200;

QString Text(const char* context, const char* source) { return QCoreApplication::translate(context, source); }

DeviceInfo RunningDevice() {
  DeviceInfo d = test::RecordedDevice(kScreenWidth, kScreenHeight);
  d.Apps = {u"NoFile"};  // an App without a file runs with no Scene: enough for a worker
  return d;
}

class FullControlTakeoverTest : public test::WithQtApp, public ::testing::Test {
 protected:
  FullControlTakeoverTest() {
    // A picture of the record's size: the watchdog has no hold of its own to show.
    pane_->Session()->OnFrame(test::MakeUniformFrame(kScreenWidth, kScreenHeight, 1));
    window_ = FullControlWindow::OpenFor(*pane_);
  }

  PaneController& Controller() { return *pane_->Controller(); }
  void ToggleRun() { Controller().Execute(PaneCommand::ToggleAutomation); }
  // The start button shows "stop" while a run lasts.
  bool Running() { return Controller().Button(kButtonAutomation).state == 1; }

  test::ProgramFolder folder_;
  test::RecordedPane recorded_{RunningDevice()};
  DevicePane* pane_ = &recorded_.Pane();
  test::RecordingDriver* driver_ = &recorded_.Driver();
  FullControlWindow* window_ = nullptr;
};

struct InputCase {
  const char* name;
  std::function<void(QWidget&)> send;
};

const std::vector<InputCase>& Inputs() {
  static const std::vector<InputCase> inputs = {
      // Sent straight to the window: a move is the same whatever pointer state QTest keeps.
      {"mouse move",
       [](QWidget& w) {
         QMouseEvent move(QEvent::MouseMove, QPointF(40, 150), w.mapToGlobal(QPointF(40, 150)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
         QApplication::sendEvent(&w, &move);
       }},
      {"click", [](QWidget& w) { QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(40, 150)); }},
      {"key", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_A); }},
      {"wheel",
       [](QWidget& w) {
         QWheelEvent wheel(QPointF(40, 150), w.mapToGlobal(QPointF(40, 150)), {}, QPoint(0, 120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(&w, &wheel);
       }},
  };
  return inputs;
}

TEST_F(FullControlTakeoverTest, EachInputHoldsTheRunAndTheTitleAndThePaneSaySo) {
  ASSERT_NE(window_, nullptr);
  EXPECT_TRUE(window_->TakeoverToggle()->isChecked()) << "on when the window opens";
  for (const InputCase& input : Inputs()) {
    SCOPED_TRACE(input.name);
    ToggleRun();
    ASSERT_TRUE(Running());
    EXPECT_FALSE(Controller().HeldForOperator());
    driver_->TakeLines();
    input.send(*window_);
    EXPECT_FALSE(driver_->TakeLines().empty()) << "the input reached the device";
    EXPECT_TRUE(Controller().HeldForOperator());
    EXPECT_EQ(window_->windowTitle(), Text("zor::FullControlWindow", "Full Control") + QStringLiteral("  |  ") +
                                          Text("zor::FullControlWindow", "Apps paused: operator input"));
    EXPECT_TRUE(test::WaitUntil([&] {
      QApplication::processEvents();
      return pane_->Thumb()->StateDetail() == Text("zor::DevicePane", "automation paused: operator input");
    })) << pane_->Thumb()->StateDetail().toStdString();
    ToggleRun();  // stopping ends the hold with the run
    EXPECT_FALSE(Controller().HeldForOperator());
  }
}

TEST_F(FullControlTakeoverTest, WithTheToggleOffInputGoesToTheDeviceAndHoldsNothing) {
  ASSERT_NE(window_, nullptr);
  ToggleRun();
  ASSERT_TRUE(Running());
  QCheckBox* toggle = window_->TakeoverToggle();
  driver_->TakeLines();
  QTest::mouseClick(toggle, Qt::LeftButton);
  ASSERT_FALSE(toggle->isChecked());
  EXPECT_TRUE(driver_->TakeLines().empty()) << "a click on the toggle is not the device's";
  EXPECT_FALSE(Controller().HeldForOperator());
  for (const InputCase& input : Inputs()) {
    SCOPED_TRACE(input.name);
    input.send(*window_);
    EXPECT_FALSE(driver_->TakeLines().empty()) << "the input reached the device";
    EXPECT_FALSE(Controller().HeldForOperator());
  }
  EXPECT_EQ(window_->windowTitle(), Text("zor::FullControlWindow", "Full Control"));
}

}  // namespace
}  // namespace zor
