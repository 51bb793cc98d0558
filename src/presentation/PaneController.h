#pragma once
// The rules of one device's pane, without widgets: its buttons' states and what each command
// does, the runner they drive, the connect timer's view of the pane, and the scene editor's
// test buttons. It owns the device's session and the runner, so that their teardown order is
// written in one place: full control rate dropped, runner stopped, then the driver.
//
// Threads: the UI thread, except SessionChanged (any thread) and the read-only getters.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "automation/RunObserverFanOut.h"
#include "automation/RunnerControl.h"
#include "presentation/ConnectTimer.h"
#include "presentation/PaneCommand.h"
#include "presentation/PaneView.h"
#include "presentation/RunLogWriter.h"
#include "presentation/SceneEditorLink.h"
#include "session/DeviceSession.h"

namespace zor {

class PaneController : public ISessionListener, public IConnectTimerPane, public IEditorTestControl {
 public:
  // `device` is not owned and must outlive the controller (or be replaced by RecreateDriver).
  explicit PaneController(DeviceInfo* device);
  ~PaneController() override;
  PaneController(const PaneController&) = delete;
  PaneController& operator=(const PaneController&) = delete;

  DeviceSession& Session() { return session_; }
  const DeviceSession& Session() const { return session_; }

  // The pane's position in the device list, which the main window's commands carry.
  void SetIndex(uint32_t index) { index_ = index; }
  uint32_t Index() const { return index_; }

  // Not owned; set before connecting, cleared (nullptr) before the view goes away.
  void SetView(IPaneView* view) { view_.store(view); }
  // Owned; the runner that the start, pause and test buttons drive. Set before Start.
  void SetRunner(std::unique_ptr<IRunnerControl> runner) { runner_ = std::move(runner); }
  // Where each run's watchdog times come from, asked at every start (the operator may change
  // them between runs); the screen size is the device record's. Unset: the defaults.
  void SetWatchdogDefaults(std::function<WatchdogSettings()> defaults) { watchdog_defaults_ = std::move(defaults); }
  // The pane's own observer of every run (not owned, outlives the controller); set after the
  // runner, before the first run.
  void SetRunObserver(IRunObserver* observer);
  // The folder of the run logs, asked at every start of the device's Apps; empty: no log. Each
  // run of the device's Apps then writes its own log there (editor tests write none).
  void SetRunLogFolder(std::function<std::string()> folder) { run_log_folder_ = std::move(folder); }
  // Why the last start of the device's Apps has no log although a folder is set; empty otherwise.
  const std::string& RunLogProblem() const { return run_log_problem_; }
  // Why the watchdog holds the device's Apps now; kNone without a run.
  HoldReason AutomationHold() const { return runner_ ? runner_->Hold() : HoldReason::kNone; }
  // The operator sent input to the device by hand (the full control window): a run is held
  // until the operator has been quiet for kOperatorQuietMs. UI thread.
  void OperatorInput() {
    if (runner_) runner_->HoldForOperator();
  }
  bool HeldForOperator() const { return AutomationHold() == HoldReason::kOperator; }
  // What each App of the run did last (the pane's status strip); empty without a run. UI thread.
  RunnerStatus AutomationStatus() const { return runner_ ? runner_->Statuses() : RunnerStatus{}; }

  // Creates the driver and puts the pane in its first state: Connecting, the editor and pause
  // buttons disabled. The driver is not connected here. Call once.
  void Start();
  // Replaces the driver after the record was edited; the connect button shows "connect" again
  // and the pane goes back to Connecting. A run goes on.
  void RecreateDriver(DeviceInfo* device = nullptr);

  void Execute(PaneCommand command);
  // Raises the driver to the full-control rate and asks the view for the window.
  void OpenFullControl();

  PaneButtonState Button(int32_t id) const;
  bool AutomationActive() const { return automation_active_.load(); }
  // A run lasts: the device's Apps (the start button shows "stop") or an editor's test. UI thread.
  bool RunLasts() const { return Button(kButtonAutomation).state == 1 || AutomationActive(); }
  // The run was started on a device that shows no picture (Connecting, Offline or Stop): its
  // workers wait for the first frame, and the pane says so instead of looking busy.
  bool AutomationWaitsForDevice() const;
  // The pane is Offline and its driver keeps trying to reach the device by itself (the connect
  // timer presses connect again when it gives up); false when only the connect button retries.
  bool RetryingWhileOffline() const;
  bool EditorOpen() const { return editor_open_; }
  // The scene editor window closed.
  void EditorClosed() { editor_open_ = false; }

  // The scene editor, while it is open. Detaching stops a run that still reports to it.
  void AttachSceneEditor(ISceneEditorLink* editor) { editor_ = editor; }
  void DetachSceneEditor();

  // IEditorTestControl
  bool StartItemTest(std::shared_ptr<const Item> item) override;
  bool StartSceneTest(std::shared_ptr<const SceneData> scene) override;
  void StopTest() override;

  // IConnectTimerPane
  bool IsConnecting() const override { return session_.State() == ConnectionState::Connecting; }
  int32_t ConnectWait() const override { return session_.ConnectWait(); }
  void TickConnectWait() override { session_.TickConnectWait(); }
  void GiveUpConnecting() override;
  void PressConnect() override { Execute(PaneCommand::ToggleConnection); }

  // ISessionListener
  void SessionChanged() override { Notify(); }

 private:
  static size_t Slot(int32_t id) { return static_cast<size_t>(id - kFirstPaneButton); }
  void SetButton(int32_t id, PaneButtonState value) { buttons_[Slot(id)] = value; }
  void Notify();
  void ToggleAutomation();
  void TogglePause();
  void ToggleConnection();
  void OpenSceneEditor();
  // The start button: the device's Apps, or with the editor open the edited Scene; false when
  // the runner could not start a worker (the session then shows why, for the device's Apps).
  bool StartAutomation();
  // Starts what reports to the editor through `start`; false, with nothing left running, when
  // the runner could not start a worker.
  bool StartEditorRun(const std::function<void()>& start);
  // Hands the runner this run's watchdog settings: the defaults and, when checked, the record's
  // screen size.
  void ApplyWatchdogSettings(bool check_screen_size);
  // Opens this run's log when a folder is set and adds it to the runner's observers; the
  // runner does not run yet.
  void OpenRunLog();
  // After StopRun: the runner reports to the pane's observer alone again, and the log ends.
  void CloseRunLog();
  // Ends a run that reports to the editor and clears the editor's marks.
  void StopEditorRun();
  // The device's first App, whose user values an editor run uses; empty without Apps.
  std::u16string FirstApp() const;

  DeviceSession session_;
  IRunObserver* run_observer_ = nullptr;
  std::function<std::string()> run_log_folder_;
  std::string run_log_problem_;
  // The run's log and the list the runner reports to while it lasts; declared before the runner,
  // which stops (and so stops reporting) before they go.
  std::unique_ptr<RunLogWriter> run_log_;
  std::unique_ptr<RunEventLines> run_log_lines_;
  std::unique_ptr<RunObserverFanOut> run_observers_;
  // Declared after the session: the runner's workers use the session until they are stopped.
  std::unique_ptr<IRunnerControl> runner_;
  std::function<WatchdogSettings()> watchdog_defaults_;
  uint32_t index_ = 0;
  std::atomic<IPaneView*> view_{nullptr};
  std::array<PaneButtonState, kPaneButtonCount> buttons_{};
  std::atomic<bool> automation_active_{false};
  bool editor_open_ = false;
  ISceneEditorLink* editor_ = nullptr;
  bool editor_run_ = false;  // the running automation reports to the editor
};

}  // namespace zor
