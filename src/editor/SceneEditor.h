#pragma once
// The scene editor of one client: the Scene being edited with its markers, the newest frame of
// the device, the test state shared with the client's runner, and the two windows that show
// them, the view "편집기" and the Scene Tool beside it.
//
// Threads: OnFrame and the test reports (SetTestBestMatch, SetLastAction) arrive on other
// threads and only store under the frame lock and post work to the GUI thread; everything
// else runs on the GUI thread.
#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "analysis/AnalysisResult.h"
#include "client/FrameConsumer.h"
#include "editor/EditorTestState.h"
#include "editor/ItemMarker.h"
#include "editor/SceneEditModel.h"

namespace zor {

class EditToolWnd;
class SceneEditorView;

// Where the last executed action of a test landed; unset parts are 0 and not drawn.
struct LastActionMark {
  int32_t x = 0;
  int32_t y = 0;
  EditRect area;
};

// What the editor asks of its client when the user starts or stops a test (GUI thread).
class IEditorTestHost {
 public:
  virtual ~IEditorTestHost() = default;
  // The editor has posted a request code; act on it and move the code along.
  virtual void ServiceTestRequest() = 0;
};

class SceneEditor : public QObject, public IFrameConsumer {
  Q_OBJECT
 public:
  // The view's client area is screen_width x screen_height, the device's screen size.
  SceneEditor(int32_t screen_width, int32_t screen_height, QObject* parent = nullptr);
  ~SceneEditor() override;

  SceneEditModel& Model() { return model_; }
  SceneEditorView* View() const;
  EditToolWnd* Tool() const { return tool_; }
  void SetTestHost(IEditorTestHost* host) { test_host_ = host; }

  // Shows the view (and with it the Scene Tool) and gives it the focus.
  void ShowAndFocus();

  // IFrameConsumer, on the driver's thread: keeps the frame and posts a repaint.
  void OnFrame(const FramePtr& frame) override;
  // The newest frame, null before the first. Any thread.
  FramePtr Frame() const;
  // The frame's size: the device's screen size until the first frame.
  int32_t FrameWidth() const;
  int32_t FrameHeight() const;

  // Test reports of the runner, any thread.
  void SetTestBestMatch(std::optional<MatchRecord> match);
  std::optional<MatchRecord> TestBestMatch() const;
  void SetLastAction(const LastActionMark& mark);
  LastActionMark LastAction() const;

  EditorTest TestState() const { return test_state_.load(); }
  bool Testing() const { return TestState() != EditorTest::Idle; }
  // Moves the test state from `from` to `to`; false when it was not `from` (the client's side).
  bool AdvanceTestState(EditorTest from, EditorTest to);
  // The test buttons: start when idle, ask to stop while running. False when nothing changed.
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
  void PostTestRequest(EditorTest request);
  void TestStateChanged();

  SceneEditModel model_;
  IEditorTestHost* test_host_ = nullptr;
  QPointer<SceneEditorView> view_;
  EditToolWnd* tool_ = nullptr;  // owned by the view (its tool window)

  // Guards the frame, its size, the test best match and the last action.
  mutable std::mutex frame_mutex_;
  FramePtr frame_;
  int32_t frame_width_ = 0;
  int32_t frame_height_ = 0;
  std::optional<MatchRecord> test_best_;
  LastActionMark last_action_;

  std::atomic<EditorTest> test_state_{EditorTest::Idle};
  std::atomic<bool> closing_{false};
  std::atomic<bool> frame_posted_{false};
};

}  // namespace zor
