#include "presentation/PaneController.h"

#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/Diag.h"

namespace zor {
namespace {

// The trace category that ZORKVM_DEBUG names (README), shared with the session.
constexpr std::string_view kDiag = "client";

}  // namespace

PaneController::PaneController(DeviceInfo* device) : session_(device) { session_.SetListener(this); }

PaneController::~PaneController() {
  if (session_.FullControlOpen()) session_.CloseFullControl();
  // The runner stops first: its workers call the driver, and the driver's frame thread must
  // not hand frames to workers being destroyed.
  if (runner_) runner_->StopRun();
  // The driver's threads end here, so that no frame reaches this controller while its members go.
  session_.SetDriver(nullptr);
  session_.SetListener(nullptr);
}

void PaneController::Start() {
  session_.InstallDriver();
  buttons_ = {};
  SetButton(kButtonPause, {0, false});
  Notify();
}

void PaneController::RecreateDriver(DeviceInfo* device) {
  session_.RecreateDriver(device);
  SetButton(kButtonConnect, {0, Button(kButtonConnect).enabled});
  Notify();
}

void PaneController::Execute(PaneCommand command) {
  switch (command) {
    case PaneCommand::ToggleAutomation: ToggleAutomation(); break;
    case PaneCommand::TogglePause: TogglePause(); break;
    case PaneCommand::ToggleConnection: ToggleConnection(); break;
    case PaneCommand::DeleteDevice:
    case PaneCommand::EditDevice:
      if (IPaneView* view = view_.load()) view->PassToMainWindow(command);
      break;
    case PaneCommand::OpenSceneEditor: OpenSceneEditor(); break;
    case PaneCommand::OpenFullControl: OpenFullControl(); break;
  }
}

PaneButtonState PaneController::Button(int32_t id) const {
  if (!IsPaneButton(id)) return {};
  PaneButtonState button = buttons_[Slot(id)];
  // The editor needs a picture to draw Items on: its button works from the first frame.
  if (id == kButtonEditor) button.enabled = session_.CurrentFrame() != nullptr;
  return button;
}

void PaneController::ToggleAutomation() {
  session_.ClearFailure();  // the operator acted on the failure: stopping or starting again
  if (Button(kButtonAutomation).state == 1) {
    automation_active_.store(false);
    if (runner_) {
      runner_->StopRun();
      runner_->SetPaused(false);
      CloseRunLog();
    }
    editor_run_ = false;
    if (editor_) editor_->ClearTestBestMatch();
    SetButton(kButtonAutomation, {0, true});
    // The pause button goes back to "pause" too, so that the next run does not start showing
    // "resume" over a runner that is not paused.
    SetButton(kButtonPause, {0, false});
  } else if (StartAutomation()) {
    SetButton(kButtonAutomation, {1, true});
    SetButton(kButtonPause, {Button(kButtonPause).state, true});
  }
  Notify();
}

bool PaneController::AutomationWaitsForDevice() const {
  if (Button(kButtonAutomation).state != 1) return false;  // the start button shows "stop" while a run lasts
  const ConnectionState state = session_.State();
  return state != ConnectionState::Streaming && state != ConnectionState::Error;
}

bool PaneController::RetryingWhileOffline() const {
  return session_.State() == ConnectionState::Offline && Button(kButtonConnect).state == 1;
}

void PaneController::TogglePause() {
  const PaneButtonState pause = Button(kButtonPause);
  if (!runner_ || !pause.enabled) return;  // a disabled button sends no clicks
  const bool pausing = pause.state == 0;
  runner_->SetPaused(pausing);
  SetButton(kButtonPause, {pausing ? 1 : 0, true});
  Notify();
}

void PaneController::ToggleConnection() {
  if (Button(kButtonConnect).state == 1) {
    if (DeviceDriver* driver = session_.Driver()) driver->Disconnect();
    session_.SetState(ConnectionState::Stop);
    SetButton(kButtonConnect, {0, true});
  } else {
    if (DeviceDriver* driver = session_.Driver()) driver->Connect();
    SetButton(kButtonConnect, {1, true});
  }
  Notify();
}

void PaneController::GiveUpConnecting() {
  if (Button(kButtonConnect).state == 1) {
    // The connect button's own "disconnect" click: the driver disconnects, the button shows
    // "connect" again.
    ToggleConnection();
  } else if (DeviceDriver* driver = session_.Driver()) {
    driver->Disconnect();
  }
  if (session_.State() != ConnectionState::Offline) session_.SetState(ConnectionState::Offline);
}

void PaneController::OpenSceneEditor() {
  if (!Button(kButtonEditor).enabled) return;  // disabled until the first frame
  editor_open_ = true;
  if (IPaneView* view = view_.load()) view->ShowSceneEditor();
}

void PaneController::OpenFullControl() {
  session_.OpenFullControl();
  if (IPaneView* view = view_.load()) view->ShowFullControl();
}

void PaneController::ApplyWatchdogSettings(bool check_screen_size) {
  WatchdogSettings watchdog = watchdog_defaults_ ? watchdog_defaults_() : WatchdogSettings{};
  const DeviceInfo* device = session_.Device();
  if (device && check_screen_size) {
    watchdog.screen_width = device->ScreenWidth;
    watchdog.screen_height = device->ScreenHeight;
  }
  runner_->SetWatchdogSettings(watchdog);
}

bool PaneController::StartAutomation() {
  const DeviceInfo* device = session_.Device();
  if (!runner_ || !device) return true;  // the button toggles all the same
  if (editor_) return StartEditorRun([&] { runner_->StartSceneRun(FirstApp(), editor_->EditedScene(), editor_); });
  ApplyWatchdogSettings(true);
  OpenRunLog();
  try {
    for (const std::u16string& app : device->Apps) runner_->AddApp(app);
  } catch (const std::system_error& e) {
    // No thread for a worker: the run does not start (Apps that did are stopped again), and
    // the pane says why instead of the program ending inside a GUI event handler.
    runner_->StopRun();
    CloseRunLog();
    session_.ReportFailure(std::string("Apps not started: ") + e.what());
    return false;
  }
  return true;
}

void PaneController::SetRunObserver(IRunObserver* observer) {
  run_observer_ = observer;
  if (runner_) runner_->SetObserver(observer);
}

void PaneController::OpenRunLog() {
  run_log_problem_.clear();
  const std::string folder = run_log_folder_ ? run_log_folder_() : std::string();
  if (folder.empty()) return;
  // The newest picture, whatever its decoded size: while the Apps run their workers ask for
  // the whole screen.
  const auto newest_frame = [this] { return session_.CurrentFrame(); };
  run_log_ = RunLogWriter::Open({folder, index_, kDefaultRunLogCapBytes}, newest_frame, run_log_problem_);
  if (!run_log_) {
    diag::Write(kDiag, "PaneController: no run log: " + run_log_problem_);
    return;
  }
  run_log_lines_ = std::make_unique<RunEventLines>(*run_log_, index_);
  std::vector<IRunObserver*> observers{run_log_lines_.get()};
  if (run_observer_) observers.insert(observers.begin(), run_observer_);
  run_observers_ = std::make_unique<RunObserverFanOut>(std::move(observers));
  runner_->SetObserver(run_observers_.get());
}

void PaneController::CloseRunLog() {
  runner_->SetObserver(run_observer_);
  run_observers_.reset();
  run_log_lines_.reset();
  run_log_.reset();  // writes what is still queued
}

void PaneController::DetachSceneEditor() {
  // A run that reports to the editor ends before the editor goes.
  if (std::exchange(editor_run_, false)) {
    automation_active_.store(false);
    if (runner_) runner_->StopRun();
  }
  editor_ = nullptr;
}

bool PaneController::StartItemTest(std::shared_ptr<const Item> item) {
  return StartEditorRun([&] { runner_->StartItemTest(std::move(item), editor_); });
}

bool PaneController::StartSceneTest(std::shared_ptr<const SceneData> scene) {
  return StartEditorRun([&] { runner_->StartSceneRun(FirstApp(), std::move(scene), editor_); });
}

bool PaneController::StartEditorRun(const std::function<void()>& start) {
  if (!runner_ || !editor_) return false;
  // The operator watches an editor's test on the screen it shows, whatever size the record
  // says: only a missing picture holds it.
  ApplyWatchdogSettings(false);
  automation_active_.store(true);
  editor_run_ = true;
  try {
    start();
  } catch (const std::system_error& e) {
    // No thread for a worker: the test does not start, and the editor stays idle.
    diag::Write(kDiag, std::string("PaneController: editor test not started: ") + e.what());
    StopEditorRun();
    return false;
  }
  return true;
}

void PaneController::StopTest() {
  if (runner_ && editor_) StopEditorRun();
}

void PaneController::StopEditorRun() {
  automation_active_.store(false);
  editor_run_ = false;
  runner_->StopRun();
  editor_->ClearTestBestMatch();
}

std::u16string PaneController::FirstApp() const {
  const DeviceInfo* device = session_.Device();
  return device && !device->Apps.empty() ? device->Apps.front() : std::u16string();
}

void PaneController::Notify() {
  if (IPaneView* view = view_.load()) view->PaneChanged();
}

}  // namespace zor
