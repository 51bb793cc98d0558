#include "automation/AutoRunner.h"

#include "automation/AppWorker.h"

namespace zor {

AutoRunner::AutoRunner(KVMClient& client) : client_(client) {}

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
  Append(std::move(app), false, RunMode::RunApps);
}

void AutoRunner::StartItemTest(std::shared_ptr<Item> item, IRunnerTestListener* listener) {
  std::lock_guard lock(control_mutex_);
  if (!item) return;  // nothing selected in the editor: nothing to test
  auto app = std::make_unique<AppInfo>();
  app->Index = static_cast<int32_t>(apps_.size());
  app->Scene = std::make_shared<SceneData>();
  app->Scene->Items.push_back(item);
  test_item_ = std::move(item);
  test_listener_.store(listener);
  Append(std::move(app), true, RunMode::TestItem);
}

void AutoRunner::StartSceneRun(const std::u16string& app_name, std::shared_ptr<SceneData> scene,
                               IRunnerTestListener* listener) {
  std::lock_guard lock(control_mutex_);
  std::unique_ptr<AppInfo> app = NewApp(app_name);
  app->Scene = scene ? std::move(scene) : std::make_shared<SceneData>();
  test_listener_.store(listener);
  Append(std::move(app), true, RunMode::RunEditorScene);
}

void AutoRunner::Append(std::unique_ptr<AppInfo> app, bool scene_borrowed, RunMode mode) {
  apps_.push_back({std::move(app), scene_borrowed, nullptr});
  app_count_.store(static_cast<int32_t>(apps_.size()));
  mode_.store(mode);
  StartWorkers();
}

void AutoRunner::StartWorkers() {
  for (RunningApp& running : apps_) {
    if (!running.worker) running.worker = std::make_unique<AppWorker>(*this, *running.app, running.scene_borrowed);
  }
  running_.store(true);
  for (RunningApp& running : apps_) {
    if (!running.worker->IsRunning()) running.worker->Start();
  }
}

void AutoRunner::StopRun() {
  std::lock_guard lock(control_mutex_);
  running_.store(false);
  for (RunningApp& running : apps_) {
    if (running.worker) running.worker->Stop();
  }
  // Workers first: they use their Apps until they have ended. A borrowed Scene or Item only
  // loses the runner's reference here; the editor keeps its own.
  for (RunningApp& running : apps_) running.worker.reset();
  apps_.clear();
  app_count_.store(0);
  test_item_.reset();
  test_listener_.store(nullptr);
}

}  // namespace zor
