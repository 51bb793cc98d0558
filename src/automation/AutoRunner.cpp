#include "automation/AutoRunner.h"

#include "automation/AppWorker.h"
#include "model/SceneCopy.h"

namespace zor {

AutoRunner::AutoRunner(IFrameSource& frames, IDeviceInput& input, IFailureSink& failures,
                       const IPacingClock& clock)
    : frames_(frames), input_(input), failures_(failures), clock_(clock) {
  watchdog_.SetListener([this](HoldReason hold) {
    if (observer_) observer_->OnHoldChanged(hold);
  });
}

AutoRunner::~AutoRunner() { StopRun(); }

std::unique_ptr<AppInfo> AutoRunner::NewApp(const std::u16string& app_name) const {
  auto app = std::make_unique<AppInfo>();
  // A missing or foreign App file leaves the defaults: the App runs with no Scenes.
  if (!app_name.empty()) app->Load(app_name);
  app->Index = static_cast<int32_t>(apps_.size());
  return app;
}

void AutoRunner::AddApp(const std::u16string& app_name) {
  std::lock_guard lock(control_mutex_);
  std::unique_ptr<AppInfo> app = NewApp(app_name);
  if (app->CurrentScene >= 0 && static_cast<size_t>(app->CurrentScene) < app->Scenes.size()) {
    app->LoadCurrentScene();
    if (observer_) observer_->OnSceneLoaded(*app);
  }
  Append(std::move(app), RunMode::RunApps, nullptr);
}

void AutoRunner::StartItemTest(std::shared_ptr<const Item> item, IRunnerTestListener* listener) {
  std::lock_guard lock(control_mutex_);
  if (!item) return;  // nothing selected in the editor: nothing to test
  auto app = std::make_unique<AppInfo>();
  app->Index = static_cast<int32_t>(apps_.size());
  app->Scene = std::make_shared<SceneData>();
  app->Scene->Items.push_back(std::make_shared<Item>(*item));
  Append(std::move(app), RunMode::TestItem, listener);
}

void AutoRunner::StartSceneRun(const std::u16string& app_name, std::shared_ptr<const SceneData> scene,
                               IRunnerTestListener* listener) {
  std::lock_guard lock(control_mutex_);
  std::unique_ptr<AppInfo> app = NewApp(app_name);
  app->Scene = scene ? CopySceneAndItems(*scene) : std::make_shared<SceneData>();
  Append(std::move(app), RunMode::RunEditorScene, listener);
}

void AutoRunner::Append(std::unique_ptr<AppInfo> app, RunMode mode, IRunnerTestListener* listener) {
  apps_.push_back({std::move(app), mode, listener, nullptr});
  app_count_.store(static_cast<int32_t>(apps_.size()));
  mode_.store(mode);
  StartWorkers();
}

void AutoRunner::StartWorkers() {
  for (RunningApp& running : apps_) {
    if (!running.worker) {
      running.worker = std::make_unique<AppWorker>(*this, *running.app, running.mode, running.listener);
    }
  }
  // A run that starts (not one that gains an App) starts its watchdog afresh.
  if (!running_.exchange(true)) watchdog_.Start(watchdog_settings_, NowMs());
  for (RunningApp& running : apps_) {
    if (!running.worker->IsRunning()) running.worker->Start();
  }
}

void AutoRunner::HoldForOperator() {
  std::lock_guard lock(control_mutex_);
  if (!running_.load()) return;  // nothing runs that the operator's input could disturb
  if (!watchdog_.OnOperatorInput(NowMs())) return;
  // The hold began: a worker asleep until the no-signal deadline must wake at its end instead.
  for (RunningApp& running : apps_) {
    if (running.worker) running.worker->DeadlineMoved();
  }
}

RunnerStatus AutoRunner::Statuses() const {
  std::lock_guard lock(control_mutex_);
  RunnerStatus status{NowMs(), {}};
  const HoldReason hold = Hold();
  const bool paused = Paused() || hold != HoldReason::kNone;
  for (const RunningApp& running : apps_) {
    if (!running.worker) continue;
    AppStatus app = running.worker->Status();
    // The workers take no steps while paused, so the pause is read here, where it is current.
    if (paused && app.state != AppRunState::kError) {
      app.state = AppRunState::kPaused;
      app.hold = hold;
    }
    status.apps.push_back(std::move(app));
  }
  return status;
}

void AutoRunner::StopRun() {
  std::lock_guard lock(control_mutex_);
  running_.store(false);
  for (RunningApp& running : apps_) {
    if (running.worker) running.worker->Stop();
  }
  // Workers first: they use their Apps until they have ended.
  for (RunningApp& running : apps_) running.worker.reset();
  apps_.clear();
  app_count_.store(0);
}

}  // namespace zor
