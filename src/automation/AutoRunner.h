#pragma once
// The automation runner of one client: the running Apps, one worker thread per App, and the
// three ways a run starts (the device's Apps, an editor Item test, an editor Scene run).
//
// Threads: the public operations belong to the client's UI thread (and to its frame thread for
// editor requests); StopRun must never be called from a worker. The running and paused flags
// are atomic and read by the workers.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "automation/AppInfo.h"
#include "automation/RunObserver.h"
#include "automation/RunnerTestListener.h"
#include "client/KVMClient.h"

namespace zor {

class AppWorker;

enum class RunMode : uint32_t {
  RunApps = 0,         // the device's Apps; Scenes change when they run out of active Items
  TestItem = 1,        // the editor's Item test: analysis only, best match to the editor
  RunEditorScene = 2,  // the editor's Scene run: as RunApps but never changing Scene
};

class AutoRunner : public IClientAutomation {
 public:
  // `client` owns the runner and outlives it.
  explicit AutoRunner(KVMClient& client);
  ~AutoRunner() override;  // StopRun
  AutoRunner(const AutoRunner&) = delete;
  AutoRunner& operator=(const AutoRunner&) = delete;

  // IClientAutomation. Each starts the workers of Apps that have none; a worker thread that
  // cannot be created throws std::system_error (resource unavailable) to the caller.
  void AddApp(const std::u16string& app_name) override;
  void StartItemTest(std::shared_ptr<Item> item, IRunnerTestListener* listener) override;
  void StartSceneRun(const std::u16string& app_name, std::shared_ptr<SceneData> scene,
                     IRunnerTestListener* listener) override;
  void StopRun() override;
  void SetPaused(bool paused) override { paused_.store(paused); }

  // Set while no run lasts; null for none. Not owned.
  void SetObserver(IRunObserver* observer) { observer_ = observer; }

  RunMode Mode() const { return mode_.load(); }
  bool Running() const { return running_.load(); }
  bool Paused() const { return paused_.load(); }
  // Any thread: the number of Apps, which divides the screen into strips.
  int32_t AppCount() const { return app_count_.load(); }

  // --- for the workers (their own threads) ---
  KVMClient& Client() const { return client_; }
  IRunObserver* Observer() const { return observer_; }
  IRunnerTestListener* TestListener() const { return test_listener_.load(); }

 private:
  // A new App with the defaults, indexed at the end of the list.
  std::unique_ptr<AppInfo> NewApp(const std::u16string& app_name) const;
  void Append(std::unique_ptr<AppInfo> app, bool scene_borrowed, RunMode mode);
  void StartWorkers();

  KVMClient& client_;
  std::atomic<RunMode> mode_{RunMode::RunApps};
  std::atomic<bool> running_{false};
  std::atomic<bool> paused_{false};
  // The Item under test (mode 1), shared with the editor, which owns it.
  std::shared_ptr<Item> test_item_;
  // Where test results go (modes 1 and 2); set before the workers of the test start.
  std::atomic<IRunnerTestListener*> test_listener_{nullptr};
  IRunObserver* observer_ = nullptr;
  // The lists belong to the caller's thread. AddApp may append while other workers run: each
  // worker touches only its own App (which does not move), and reads the count atomically.
  struct RunningApp {
    std::unique_ptr<AppInfo> app;
    bool scene_borrowed = false;  // the Scene is the editor's
    std::unique_ptr<AppWorker> worker;
  };
  std::vector<RunningApp> apps_;
  std::atomic<int32_t> app_count_{0};
};

}  // namespace zor
