#include "gui/editor/SceneEditor.h"

#include "gui/editor/SceneEditorView.h"
#include "gui/editor/SceneToolWindow.h"
#include "model/SceneCopy.h"

namespace zor {

SceneEditor::SceneEditor(int32_t screen_width, int32_t screen_height, QObject* parent)
    : QObject(parent), screen_width_(screen_width), screen_height_(screen_height) {
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
  if (frame) frames_.OnFrame(frame);
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

FramePtr SceneEditor::Frame() const { return frames_.Latest(); }

int32_t SceneEditor::FrameWidth() const {
  const FramePtr frame = Frame();
  return frame ? static_cast<int32_t>(frame->width) : screen_width_;
}

int32_t SceneEditor::FrameHeight() const {
  const FramePtr frame = Frame();
  return frame ? static_cast<int32_t>(frame->height) : screen_height_;
}

std::shared_ptr<const SceneData> SceneEditor::EditedScene() {
  // The pane's start button, on the GUI thread, which is the only thread that writes the edited
  // Scene: the runner may copy it as it is.
  return model_.SharedScene();
}

void SceneEditor::ClearTestBestMatch() {
  {
    std::lock_guard lock(test_mutex_);
    test_best_.reset();
    test_best_seen_.reset();
    last_action_ = {};
  }
  PostRepaint();
}

void SceneEditor::SetTestBestMatch(const MatchRecord& best, const std::optional<ScoredPosition>& best_seen) {
  {
    std::lock_guard lock(test_mutex_);
    test_best_ = best;
    test_best_seen_ = best_seen;
  }
  PostRepaint();
}

void SceneEditor::SetLastAction(const ActionMark& mark) {
  {
    std::lock_guard lock(test_mutex_);
    last_action_ = mark;
  }
  PostRepaint();
}

std::optional<MatchRecord> SceneEditor::TestBestMatch() const {
  std::lock_guard lock(test_mutex_);
  return test_best_;
}

std::optional<ScoredPosition> SceneEditor::TestBestSeen() const {
  std::lock_guard lock(test_mutex_);
  return test_best_seen_;
}

ActionMark SceneEditor::LastAction() const {
  std::lock_guard lock(test_mutex_);
  return last_action_;
}

bool SceneEditor::RequestItemTest() {
  return ToggleTest(EditorTestState::ItemTestRunning, [this] {
    const std::shared_ptr<Item> current = model_.CurrentItem();
    return test_control_->StartItemTest(current ? std::make_shared<const Item>(*current) : nullptr);
  });
}

bool SceneEditor::RequestSceneTest() {
  return ToggleTest(EditorTestState::SceneTestRunning,
                    [this] { return test_control_->StartSceneTest(CopySceneAndItems(model_.Scene())); });
}

bool SceneEditor::ToggleTest(EditorTestState running, const std::function<bool()>& start) {
  if (test_state_ == running) {
    if (test_control_) test_control_->StopTest();
    SetTestState(EditorTestState::Idle);
    return true;
  }
  if (test_state_ != EditorTestState::Idle || !test_control_ || !start()) return false;
  SetTestState(running);
  return true;
}

void SceneEditor::SetTestState(EditorTestState state) {
  test_state_ = state;
  if (tool_) tool_->ShowTestState(state);
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
