#pragma once
// A scene editor with its windows on Qt's offscreen platform, a private program folder, and a
// scripted frame source: frames are made here and handed to the editor as a session would. Its
// test buttons drive a pane controller with the real runner, on a device without a driver.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "gui/editor/SceneEditor.h"
#include "gui/editor/SceneEditorView.h"
#include "gui/editor/SceneItemListView.h"
#include "gui/editor/SceneToolForm.h"
#include "gui/editor/SceneToolWindow.h"
#include "model/ScreenImage.h"
#include "presentation/PaneController.h"
#include "support/gui/QtTestSupport.h"

namespace zor::test {

// A frame whose every pixel tells where it is: B = x, G = y, R = x + y (each modulo 256).
FramePtr MakeGradientFrame(uint32_t width, uint32_t height);

// Waits for `done` while the GUI thread's events run (frames are taken, tests serviced, objects
// let go of with deleteLater deleted, as in the program's event loop).
bool WaitWithEvents(const std::function<bool()>& done, int timeout_ms = 15000);

class EditorFixture : public ::testing::Test, public WithQtApp {
 protected:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 120;

  EditorFixture();
  ~EditorFixture() override;

  SceneEditModel& Model() { return editor_->Model(); }
  SceneEditorView& View() { return *editor_->View(); }
  SceneToolWindow& Tool() { return *editor_->Tool(); }
  SceneToolForm& Form() { return *Tool().Form(); }

  // Mouse and keys as the view receives them.
  void Press(int x, int y);
  void Move(int x, int y);
  void Release(int x, int y);
  void Drag(int x1, int y1, int x2, int y2);
  void Key(int key);
  // The add button, then a drag: one new Item (if large enough).
  void DrawItem(int x1, int y1, int x2, int y2);
  // Hands a frame to the editor and lets the GUI thread take it.
  void DeliverFrame(const FramePtr& frame);
  // Clicks a command button of the Scene Tool.
  void Click(int command_id);
  // A left click at (x, y) of the item list; ClickItemRow clicks inside row `row`.
  void ClickList(int x, int y);
  void ClickItemRow(int row);

  ProgramFolder folder_;
  DeviceInfo device_;
  PaneController controller_{&device_};
  std::unique_ptr<SceneEditor> editor_;
  FramePtr frame_ = MakeGradientFrame(kWidth, kHeight);
};

}  // namespace zor::test
