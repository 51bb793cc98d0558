#pragma once
// The scene editor and its pane's controller, as each sees the other. The editor's test buttons
// call the controller directly on the UI thread, and the controller starts and stops the runner
// there; the runner reports to the editor from its workers.
#include <memory>

#include "automation/RunnerTestListener.h"
#include "model/Item.h"
#include "model/SceneData.h"

namespace zor {

// What the editor's test buttons show: the editor moves it, on the UI thread.
enum class EditorTestState : int32_t {
  Idle = 0,
  ItemTestRunning = 1,   // a one-Item run of the Item selected when the test started
  SceneTestRunning = 2,  // the automation runs a copy of the edited Scene
};

// The editor as the controller sees it. UI thread, except the runner's reports (see
// IRunnerTestListener).
class ISceneEditorLink : public IRunnerTestListener {
 public:
  // The Scene being edited, for the pane's start button while the editor is open. The runner
  // copies it before the start returns.
  virtual std::shared_ptr<const SceneData> EditedScene() = 0;
  // A run that reported to the editor stopped: forget the held best match and the last action.
  virtual void ClearTestBestMatch() = 0;
};

// The controller as the editor's test buttons see it. UI thread only. The runner copies what
// it is given before a start returns.
class IEditorTestControl {
 public:
  virtual ~IEditorTestControl() = default;
  // Tests `item` (null: nothing to test, but the test counts as running until stopped). False
  // when the test could not start (no runner, no editor attached, no thread for its worker).
  virtual bool StartItemTest(std::shared_ptr<const Item> item) = 0;
  // Runs `scene` under the device's first App (for its user values). False as above.
  virtual bool StartSceneTest(std::shared_ptr<const SceneData> scene) = 0;
  // Ends the test's run and clears what the editor held of it.
  virtual void StopTest() = 0;
};

}  // namespace zor
