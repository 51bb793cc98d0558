#pragma once
// The scene editor of one client: the Scene being edited with its markers, the newest frame of
// the device, the test state shared with the client, and the two windows that show them, the
// view "편집기" and the Scene Tool beside it.
//
// Threads: OnFrame (driver thread), the client's side of the test link (frame thread) and the
// runner's reports (worker threads) only store under the frame lock or in atomics and post work
// to the GUI thread; everything else runs on the GUI thread.
#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "analysis/AnalysisResult.h"
#include "gui/widgets/CoalescedPost.h"
#include "session/FrameConsumer.h"
#include "session/SceneEditorLink.h"
#include "presentation/SceneEditModel.h"

namespace zor {

class SceneToolWindow;
class SceneEditorView;

inline bool IsItemTest(EditorTestState state) {
  return state == EditorTestState::ItemTestRequested || state == EditorTestState::ItemTestRunning ||
         state == EditorTestState::ItemTestStopRequested;
}
inline bool IsSceneTest(EditorTestState state) {
  return state == EditorTestState::SceneTestRequested || state == EditorTestState::SceneTestRunning ||
         state == EditorTestState::SceneTestStopRequested;
}

class SceneEditor : public QObject, public IFrameConsumer, public ISceneEditorLink {
  Q_OBJECT
 public:
  // The view's client area is screen_width x screen_height, the device's screen size.
  SceneEditor(int32_t screen_width, int32_t screen_height, QObject* parent = nullptr);
  ~SceneEditor() override;

  SceneEditModel& Model() { return model_; }
  SceneEditorView* View() const;
  SceneToolWindow* Tool() const { return tool_; }

  // Shows the view (and with it the Scene Tool) and gives it the focus.
  void ShowAndFocus();

  // IFrameConsumer, on the driver's thread: keeps the frame and posts a repaint.
  void OnFrame(const FramePtr& frame) override;
  // The newest frame, null before the first. Any thread.
  FramePtr Frame() const;
  // The frame's size: the device's screen size until the first frame.
  int32_t FrameWidth() const;
  int32_t FrameHeight() const;

  // ISceneEditorLink: the client's side, on its frame thread.
  EditorTestState TestState() const override { return test_state_.load(); }
  void SetTestState(EditorTestState state) override;
  std::shared_ptr<const Item> SelectedItem() override;
  std::shared_ptr<const SceneData> EditedScene() override;
  void ClearTestBestMatch() override;
  // IRunnerTestListener: the runner's reports, on its worker threads.
  void SetTestBestMatch(const MatchRecord& best) override;
  void SetLastAction(const ActionMark& mark) override;

  // What the test view shows. Any thread.
  std::optional<MatchRecord> TestBestMatch() const;
  ActionMark LastAction() const;

  bool Testing() const { return TestState() != EditorTestState::Idle; }
  // The test buttons: a request when idle, a stop request while running, and taking back a
  // request the client has not acted on yet. False when nothing changed.
  bool RequestItemTest();
  bool RequestSceneTest();

  // The view asks to close: refused (false) while a test runs; otherwise the editor closes.
  bool RequestClose();
  bool Closing() const { return closing_.load(); }

  // After an edit: refresh the Scene Tool and repaint the view as the outcome says.
  void Edited(const EditOutcome& outcome);
  // Refreshes the Scene Tool's form and list and repaints the view.
  void RefreshAll();

 signals:
  // The view was closed; the owner detaches and deletes the editor.
  void Closed();

 private:
  // GUI thread: a frame arrived since the last call.
  void TakeFrame();
  // Any thread: asks the GUI thread to repaint the view.
  void PostRepaint();
  // GUI thread: moves the state from `from` to `to` unless the client moved it first.
  bool MoveTestState(EditorTestState from, EditorTestState to);
  // GUI thread: the buttons, the form and the view follow the test state.
  void ShowTestState();

  SceneEditModel model_;
  QPointer<SceneEditorView> view_;
  SceneToolWindow* tool_ = nullptr;  // owned by the view (its tool window)

  // Guards the frame, its size, the test's Item or Scene, best match and last action.
  mutable std::mutex frame_mutex_;
  FramePtr frame_;
  int32_t frame_width_ = 0;
  int32_t frame_height_ = 0;
  // What a requested test runs on: copies taken on the GUI thread when the test was asked for,
  // never written afterwards, so the client's frame thread may read them while the GUI edits.
  std::shared_ptr<const Item> test_item_;
  std::shared_ptr<const SceneData> test_scene_;
  std::optional<MatchRecord> test_best_;
  ActionMark last_action_;

  std::atomic<EditorTestState> test_state_{EditorTestState::Idle};
  std::atomic<bool> closing_{false};
  CoalescedPost frame_post_;    // frames that come faster than the GUI takes them fold into one
  CoalescedPost repaint_post_;  // so do the runner's reports
};

}  // namespace zor
