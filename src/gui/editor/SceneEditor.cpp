#include "gui/editor/SceneEditor.h"

#include "model/SceneCopy.h"
#include "gui/editor/SceneToolWindow.h"
#include "gui/editor/SceneEditorView.h"

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
  if (closing_.load()) return;
  frame_post_.Post(this, [this] { TakeFrame(); });
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
  // Posted to the editor, which outlives any test that reports here.
  repaint_post_.Post(this, [this] {
    if (view_) view_->update();
  });
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

void SceneEditor::SetTestState(EditorTestState state) {
  test_state_ = state;
  QMetaObject::invokeMethod(this, [this] { ShowTestState(); }, Qt::QueuedConnection);
}

std::shared_ptr<const Item> SceneEditor::SelectedItem() {
  std::lock_guard lock(frame_mutex_);
  return test_item_;
}

std::shared_ptr<const SceneData> SceneEditor::EditedScene() {
  std::lock_guard lock(frame_mutex_);
  // Without a Scene test this is the pane's start button, on the GUI thread, which is the only
  // thread that writes the edited Scene: the runner may copy it as it is.
  if (test_scene_) return test_scene_;
  return model_.SharedScene();
}

void SceneEditor::ClearTestBestMatch() {
  {
    std::lock_guard lock(frame_mutex_);
    test_best_.reset();
    last_action_ = {};
  }
  PostRepaint();
}

void SceneEditor::SetTestBestMatch(const MatchRecord& best) {
  {
    std::lock_guard lock(frame_mutex_);
    test_best_ = best;
  }
  PostRepaint();
}

void SceneEditor::SetLastAction(const ActionMark& mark) {
  {
    std::lock_guard lock(frame_mutex_);
    last_action_ = mark;
  }
  PostRepaint();
}

std::optional<MatchRecord> SceneEditor::TestBestMatch() const {
  std::lock_guard lock(frame_mutex_);
  return test_best_;
}

ActionMark SceneEditor::LastAction() const {
  std::lock_guard lock(frame_mutex_);
  return last_action_;
}

bool SceneEditor::MoveTestState(EditorTestState from, EditorTestState to) {
  if (!test_state_.compare_exchange_strong(from, to)) return false;
  ShowTestState();
  return true;
}

bool SceneEditor::RequestItemTest() {
  using enum EditorTestState;
  if (TestState() == Idle) {
    // The client reads the Item on its frame thread: hand over a copy that nothing writes.
    const std::shared_ptr<Item> current = model_.CurrentItem();
    std::shared_ptr<const Item> copy = current ? std::make_shared<const Item>(*current) : nullptr;
    std::lock_guard lock(frame_mutex_);
    test_item_ = std::move(copy);
  }
  return MoveTestState(Idle, ItemTestRequested) || MoveTestState(ItemTestRunning, ItemTestStopRequested) ||
         MoveTestState(ItemTestRequested, Idle);
}

bool SceneEditor::RequestSceneTest() {
  using enum EditorTestState;
  if (TestState() == Idle) {
    std::shared_ptr<const SceneData> copy = CopySceneAndItems(model_.Scene());
    std::lock_guard lock(frame_mutex_);
    test_scene_ = std::move(copy);
  }
  return MoveTestState(Idle, SceneTestRequested) || MoveTestState(SceneTestRunning, SceneTestStopRequested) ||
         MoveTestState(SceneTestRequested, Idle);
}

void SceneEditor::ShowTestState() {
  const EditorTestState state = TestState();
  if (state == EditorTestState::Idle) {
    std::lock_guard lock(frame_mutex_);
    test_item_.reset();
    test_scene_.reset();
  }
  if (tool_) tool_->ShowTestState(state);
  if (view_) view_->update();
}

bool SceneEditor::RequestClose() {
  // A stop that was asked for may wait for a frame that a lost connection never brings: the
  // editor closes then, and letting go of it stops the run.
  const EditorTestState state = TestState();
  if (state != EditorTestState::Idle && state != EditorTestState::ItemTestStopRequested &&
      state != EditorTestState::SceneTestStopRequested) {
    return false;
  }
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
