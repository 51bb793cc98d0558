#pragma once
// The scene editor of one device: the Scene being edited with its markers, the newest frame of
// the device, the state of its test buttons, and the two windows that show them, the view
// "편집기" and the Scene Tool beside it. Its test buttons start and stop the runner through the
// pane's controller.
//
// Threads: OnFrame (driver thread) only hands the frame to the editor's mailbox, and the runner's
// reports (worker threads) only store under the test lock; both post work to the GUI thread,
// where everything else runs.
#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "analysis/AnalysisResult.h"
#include "gui/widgets/CoalescedPost.h"
#include "presentation/SceneEditModel.h"
#include "presentation/SceneEditorLink.h"
#include "session/FrameMailbox.h"

namespace zor {

class SceneToolWindow;
class SceneEditorView;

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

  // Where the test buttons send their requests; null (none) once the controller let go.
  void SetTestControl(IEditorTestControl* control) { test_control_ = control; }

  // ISceneEditorLink, on the GUI thread.
  std::shared_ptr<const SceneData> EditedScene() override;
  void ClearTestBestMatch() override;
  // IRunnerTestListener: the runner's reports, on its worker threads.
  void SetTestBestMatch(const MatchRecord& best, const std::optional<ScoredPosition>& best_seen) override;
  void SetLastAction(const ActionMark& mark) override;

  // What the test view shows. Any thread.
  std::optional<MatchRecord> TestBestMatch() const;
  // The best position of the test's latest analysis, also one below the threshold.
  std::optional<ScoredPosition> TestBestSeen() const;
  ActionMark LastAction() const;

  EditorTestState TestState() const { return test_state_; }
  bool Testing() const { return test_state_ != EditorTestState::Idle; }
  // The test buttons: a start when idle, a stop while that test runs. The test runs on a copy
  // of the selected Item or the edited Scene, taken here. False when nothing changed (the other
  // test runs, or the test could not start).
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
  // GUI thread: stops the test that is `running`, or starts it through `start` (false when
  // it did not start) when no test runs.
  bool ToggleTest(EditorTestState running, const std::function<bool()>& start);
  // GUI thread: a started or stopped test; the buttons, the form and the view follow.
  void SetTestState(EditorTestState state);

  SceneEditModel model_;
  QPointer<SceneEditorView> view_;
  SceneToolWindow* tool_ = nullptr;  // owned by the view (its tool window)

  // The device's configured screen size: the frame size until the first frame arrives.
  const int32_t screen_width_ = 0;
  const int32_t screen_height_ = 0;
  // Guards the test's best match, best position seen and last action.
  mutable std::mutex test_mutex_;
  std::optional<MatchRecord> test_best_;
  std::optional<ScoredPosition> test_best_seen_;
  ActionMark last_action_;

  IEditorTestControl* test_control_ = nullptr;
  EditorTestState test_state_ = EditorTestState::Idle;
  std::atomic<bool> closing_{false};
  CoalescedPost frame_post_;    // frames that come faster than the GUI takes them fold into one
  CoalescedPost repaint_post_;  // so do the runner's reports
  FrameMailbox frames_{[this] {
    if (!closing_.load()) frame_post_.Post(this, [this] { TakeFrame(); });
  }};
};

}  // namespace zor
