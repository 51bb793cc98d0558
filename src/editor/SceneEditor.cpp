#include "editor/SceneEditor.h"

#include "editor/EditToolWnd.h"
#include "editor/SceneEditorView.h"

namespace zor {

SceneEditor::SceneEditor(int32_t screen_width, int32_t screen_height, QObject* parent)
    : QObject(parent), frame_width_(screen_width), frame_height_(screen_height) {
  view_ = new SceneEditorView(*this, screen_width, screen_height);
  tool_ = view_->Tool();
}

SceneEditor::~SceneEditor() {
  closing_ = true;
  delete view_.data();  // the Scene Tool is the view's tool window and goes with it
}

SceneEditorView* SceneEditor::View() const { return view_.data(); }

void SceneEditor::ShowAndFocus() {
  if (!view_) return;
  view_->show();
  view_->raise();
  view_->activateWindow();
  view_->setFocus();
}

void SceneEditor::OnFrame(const FramePtr& frame) {
  if (!frame) return;
  {
    std::lock_guard lock(frame_mutex_);
    frame_ = frame;
    frame_width_ = static_cast<int32_t>(frame->width);
    frame_height_ = static_cast<int32_t>(frame->height);
  }
  if (closing_.load() || frame_posted_.exchange(true)) return;
  // Queued to the editor's own thread; dropped by Qt if the editor is deleted first.
  QMetaObject::invokeMethod(
      this,
      [this] {
        frame_posted_ = false;
        TakeFrame();
      },
      Qt::QueuedConnection);
}

void SceneEditor::TakeFrame() {
  if (closing_.load()) return;
  if (model_.CapturePending()) {
    const FramePtr frame = Frame();
    model_.CaptureFromFrame(frame.get());
    RefreshAll();
  } else if (view_) {
    view_->update();
  }
}

void SceneEditor::PostRepaint() {
  // Queued to the editor, which outlives any test that reports here.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (view_) view_->update();
      },
      Qt::QueuedConnection);
}

FramePtr SceneEditor::Frame() const {
  std::lock_guard lock(frame_mutex_);
  return frame_;
}

int32_t SceneEditor::FrameWidth() const {
  std::lock_guard lock(frame_mutex_);
  return frame_width_;
}

int32_t SceneEditor::FrameHeight() const {
  std::lock_guard lock(frame_mutex_);
  return frame_height_;
}

void SceneEditor::SetTestBestMatch(std::optional<MatchRecord> match) {
  {
    std::lock_guard lock(frame_mutex_);
    test_best_ = std::move(match);
  }
  PostRepaint();
}

std::optional<MatchRecord> SceneEditor::TestBestMatch() const {
  std::lock_guard lock(frame_mutex_);
  return test_best_;
}

void SceneEditor::SetLastAction(const LastActionMark& mark) {
  {
    std::lock_guard lock(frame_mutex_);
    last_action_ = mark;
  }
  PostRepaint();
}

LastActionMark SceneEditor::LastAction() const {
  std::lock_guard lock(frame_mutex_);
  return last_action_;
}

bool SceneEditor::AdvanceTestState(EditorTest from, EditorTest to) {
  if (!test_state_.compare_exchange_strong(from, to)) return false;
  TestStateChanged();
  return true;
}

bool SceneEditor::RequestItemTest() {
  const EditorTest state = TestState();
  if (state == EditorTest::Idle) {
    PostTestRequest(EditorTest::ItemRequested);
  } else if (state == EditorTest::ItemRunning) {
    PostTestRequest(EditorTest::ItemStopRequested);
  } else {
    return false;
  }
  return true;
}

bool SceneEditor::RequestSceneTest() {
  const EditorTest state = TestState();
  if (state == EditorTest::Idle) {
    PostTestRequest(EditorTest::SceneRequested);
  } else if (state == EditorTest::SceneRunning) {
    PostTestRequest(EditorTest::SceneStopRequested);
  } else {
    return false;
  }
  return true;
}

void SceneEditor::PostTestRequest(EditorTest request) {
  test_state_ = request;
  TestStateChanged();
  // The client acts at once rather than on its next frame: a stop must not wait for a frame
  // that a lost connection never brings, or the editor could never be closed again.
  if (test_host_) test_host_->ServiceTestRequest();
}

void SceneEditor::TestStateChanged() {
  if (tool_) tool_->ShowTestState(TestState());
  if (view_) view_->update();
}

bool SceneEditor::RequestClose() {
  if (Testing()) return false;
  closing_ = true;
  emit Closed();
  return true;
}

void SceneEditor::Edited(const EditOutcome& outcome) {
  if (outcome.add_ended && tool_) tool_->ReleaseAddButton();
  if (outcome.changed && tool_) tool_->Refresh();
  if ((outcome.repaint || outcome.changed) && view_) view_->update();
}

void SceneEditor::RefreshAll() {
  if (tool_) tool_->Refresh();
  if (view_) view_->update();
}

}  // namespace zor
