// The editor on a live simulated desktop: a client pane connected to zorkvm-sim, its scene
// editor opened from the pane's button, an Item drawn around a button and tested through the
// client's runner. Scene tests through the client are TestIsolationTest's.
#include <QImage>

#include "EditorFixture.h"
#include "gui/editor/EditorPainting.h"
#include "gui/editor/OpenSceneEditor.h"
#include "gui/editor/SceneEditorView.h"
#include "gui/editor/SceneToolWindow.h"
#include "gui/pane/DevicePane.h"
#include "gui/widgets/StateIconButton.h"
#include "sim/SimScreen.h"
#include "support/gui/QtTestSupport.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <QMouseEvent>

namespace zor::test {
namespace {

constexpr char kAddress[] = "127.0.0.61";
constexpr char16_t kWideAddress[] = u"127.0.0.61";
constexpr uint32_t kWidth = 640;
constexpr uint32_t kHeight = 360;

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

class EditorLive : public ::testing::Test, public WithQtApp {
 protected:
  EditorLive()
      : sim_({kAddress, 0, {"--size", "640x360"}, {}}),
        device_(SoftKvmDevice(kWideAddress, sim_.Port(), kWidth, kHeight)),
        pane_(nullptr, device_, 0, nullptr),
        layout_(MakeSimLayout(kWidth, kHeight)) {
    pane_.SetSceneEditorOpener(&OpenSceneEditor);
  }

  // Connected and streaming, with the editor opened by the pane's button.
  SceneEditor* ConnectAndOpenEditor() {
    if (!sim_.Ready()) return nullptr;
    pane_.PressConnect();
    if (!WaitWithEvents([&] { return pane_.Button(kButtonEditor)->IsButtonEnabled(); })) return nullptr;
    pane_.Button(kButtonEditor)->Press(kNotifyDoubleClick);
    SceneEditor* editor = FindSceneEditor(pane_);
    if (editor == nullptr || !WaitWithEvents([&] { return editor->Frame() != nullptr; })) return nullptr;
    return editor;
  }

  // Draws an Item over `target` and waits for its template.
  std::shared_ptr<Item> DrawItemAround(SceneEditor& editor, const SimRect& target) {
    editor.Tool()->Button(kAddItemCommand)->Press(kNotifyClick);
    QWidget& view = *editor.View();
    SendMouse(view, QEvent::MouseButtonPress, {target.x, target.y}, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, {target.x + target.w, target.y + target.h}, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, {target.x + target.w, target.y + target.h}, Qt::NoButton);
    std::shared_ptr<Item> item = editor.Model().CurrentItem();
    if (!item || !WaitWithEvents([&] { return !item->Template.Pixels.empty(); })) return nullptr;
    return item;
  }

  SimProcess sim_;
  DeviceInfo device_;
  DevicePane pane_;
  SimLayout layout_;
};

TEST_F(EditorLive, AnItemTestShowsTheBestMatchAtTheButton) {
  SceneEditor* editor = ConnectAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  const SimRect button = layout_.ok_button;
  const std::shared_ptr<Item> item = DrawItemAround(*editor, button);
  ASSERT_NE(item, nullptr);

  editor->Tool()->Button(kTestItemCommand)->Press(kNotifyClick);
  ASSERT_TRUE(WaitWithEvents([&] {
    const auto best = editor->TestBestMatch();
    return best && best->Valid != 0;
  }));
  EXPECT_EQ(editor->TestState(), EditorTestState::ItemTestRunning);
  const MatchRecord best = *editor->TestBestMatch();
  EXPECT_EQ(best.Left, button.x);
  EXPECT_EQ(best.Top, button.y);
  EXPECT_EQ(best.Width, button.w);
  Settle();
  const QImage shot = editor->View()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(button.x + button.w / 2, button.y), kBestMatchMark) << "red on the button's top edge";
  EXPECT_EQ(editor->Tool()->Button(kTestItemCommand)->State(), 1) << "the button shows stop";

  editor->Tool()->Button(kTestItemCommand)->Press(kNotifyClick);
  ASSERT_TRUE(WaitWithEvents([&] {
    return editor->TestState() == EditorTestState::Idle && !editor->TestBestMatch().has_value();
  })) << "stopping ends the test and clears the best match";
  Settle();
  EXPECT_EQ(editor->Tool()->Button(kTestItemCommand)->State(), 0);
  EXPECT_FALSE(pane_.Controller()->AutomationActive());
  EXPECT_EQ(pane_.Session()->CurrentFrame() != nullptr, true);

  MessageSeen unsaved;
  AnswerNextMessage(unsaved, QMessageBox::Discard);  // the drawn Item was never saved
  EXPECT_TRUE(editor->View()->close());
  EXPECT_TRUE(unsaved.seen);
  QPointer<SceneEditor> watched(editor);
  ASSERT_TRUE(WaitWithEvents([&] { return watched.isNull(); }));
  EXPECT_EQ(FindSceneEditor(pane_), nullptr);
  EXPECT_FALSE(pane_.Controller()->EditorOpen());
  EXPECT_NE(item->Template.Pixels.size(), 0u) << "the test's Item outlives the editor where it is still held";
}

// The Item is drawn around the button, then the pointer is moved onto it: the button's score
// falls below the threshold, and the test shows where the best position is and its score.
TEST_F(EditorLive, AnItemTestShowsTheNearMissWhenThePointerCoversTheButton) {
  constexpr int kNearPixels = 2;  // the pointer covers part of the button: a neighbour may score more
  SceneEditor* editor = ConnectAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  const SimRect button = layout_.ok_button;
  ASSERT_NE(DrawItemAround(*editor, button), nullptr);
  {
    const DriverLease driver = pane_.Session()->LeaseDriver();
    ASSERT_TRUE(driver);
    driver->MouseMove(button.CenterX(), button.CenterY());
  }

  editor->Tool()->Button(kTestItemCommand)->Press(kNotifyClick);
  ASSERT_TRUE(WaitWithEvents([&] {
    const auto best = editor->TestBestMatch();
    return best && best->Valid == 0 && editor->TestBestSeen().has_value();
  })) << "the pointer's picture reached the test";
  const ScoredPosition seen = *editor->TestBestSeen();
  EXPECT_NEAR(seen.Left, button.x, kNearPixels);
  EXPECT_NEAR(seen.Top, button.y, kNearPixels);
  EXPECT_LT(seen.Score, editor->Model().CurrentItem()->Threshold);
  Settle();
  const QImage shot = editor->View()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(seen.Left + seen.Width / 2, seen.Top), kNearMissMark) << "the near miss's top edge";

  editor->Tool()->Button(kTestItemCommand)->Press(kNotifyClick);
  ASSERT_TRUE(WaitWithEvents([&] {
    return editor->TestState() == EditorTestState::Idle && !editor->TestBestSeen().has_value();
  })) << "stopping clears the near miss";
}

TEST_F(EditorLive, DeletingThePaneDuringATestStopsItAndLetsTheEditorGo) {
  SceneEditor* editor = ConnectAndOpenEditor();
  ASSERT_NE(editor, nullptr);
  ASSERT_NE(DrawItemAround(*editor, layout_.ok_button), nullptr);
  editor->Tool()->Button(kTestItemCommand)->Press(kNotifyClick);
  ASSERT_TRUE(WaitWithEvents([&] { return editor->TestState() == EditorTestState::ItemTestRunning; }));
  QPointer<SceneEditor> watched(editor);
  pane_.ReleaseController();
  ASSERT_TRUE(WaitWithEvents([&] { return watched.isNull(); }));
}

}  // namespace
}  // namespace zor::test
