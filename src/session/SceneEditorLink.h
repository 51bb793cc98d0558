#pragma once
// The scene editor as the client sees it: the test requests the editor posts as a plain state
// code, what a test runs on, and where the runner reports. The GUI's editor implements it and
// attaches itself to its DeviceSession; the client acts on a request when the next frame arrives.
#include <cstdint>
#include <memory>

#include "automation/RunnerTestListener.h"

namespace zor {

struct Item;
struct SceneData;

// The editor moves an idle or running state to its odd request code (UI thread); the client,
// on its next frame, acts and moves it on (frame thread). Each side moves it only along this list.
enum class EditorTestState : int32_t {
  Idle = 0,
  ItemTestRequested = 1,       // editor: test the selected Item
  ItemTestRunning = 2,         // client: a one-Item run of the selected Item started
  ItemTestStopRequested = 3,   // editor: stop the Item test (client then moves to Idle)
  SceneTestRequested = 5,      // editor: run the edited Scene
  SceneTestRunning = 6,        // client: the automation runs the edited Scene
  SceneTestStopRequested = 7,  // editor: stop the Scene run (client then moves to Idle)
};

class ISceneEditorLink : public IRunnerTestListener {
 public:
  // Any thread; the editor keeps it in an atomic.
  virtual EditorTestState TestState() const = 0;
  virtual void SetTestState(EditorTestState state) = 0;
  // When a test starts: what it runs on, the Item selected in the editor (null when none) or
  // the Scene being edited. The runner copies them before the start returns, on the frame
  // thread for a test request, on the GUI thread for the pane's start button; so the editor
  // hands out objects that its GUI thread does not write at the same time (a copy taken when
  // the test was asked for), and may go on editing its own while the test runs.
  virtual std::shared_ptr<const Item> SelectedItem() = 0;
  virtual std::shared_ptr<const SceneData> EditedScene() = 0;
  // Frame thread, when a test stops: forget the held best match (and the last action mark).
  virtual void ClearTestBestMatch() = 0;
};

}  // namespace zor
