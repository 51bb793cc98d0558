#pragma once
// The automation runner of one device: the running Apps, one worker thread per App, and the
// three ways a run starts (the device's Apps, an editor Item test, an editor Scene run).
//
// Threads: the public operations come from the UI thread (the pane's buttons and the editor's
// test buttons); one lock serialises them. StopRun must never be called from a worker. The
// running and paused flags are atomic and read by the workers.
//
// An editor test runs on the runner's own copy of the Item or Scene it is given: the worker
// writes run-time fields of its Items and reads the rest, while the editor's GUI thread goes on
// showing and writing its own. Nothing of the caller's is read after the start call returns.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "automation/RunMode.h"
#include "automation/RunnerControl.h"
#include "automation/RunnerTestListener.h"
#include "automation/RunObserver.h"
#include "automation/RunWatchdog.h"
#include "device/PacingClock.h"
#include "model/AppInfo.h"
#include "session/DeviceFaces.h"

namespace zor {

class AppWorker;

class AutoRunner : public IRunnerControl {
 public:
  static constexpr int64_t kNsPerMs = 1'000'000;  // the clock's nanoseconds, the run's milliseconds

  // The device's faces outlive the runner: its workers take frames from `frames`, send actions
  // through `input` and report a failure that ends one of them to `failures`. `clock` times the
  // run (the Items' delays, the watchdog and the operator's hold) and outlives the runner; tests
  // pass one they move by hand.
  AutoRunner(IFrameSource& frames, IDeviceInput& input, IFailureSink& failures,
             const IPacingClock& clock = SystemPacingClock());
  ~AutoRunner() override;  // StopRun
  AutoRunner(const AutoRunner&) = delete;
  AutoRunner& operator=(const AutoRunner&) = delete;

  // IRunnerControl. Each starts the workers of Apps that have none; a worker thread that
  // cannot be created throws std::system_error (resource unavailable) to the caller.
  void AddApp(const std::u16string& app_name) override;
  void StartItemTest(std::shared_ptr<const Item> item, IRunnerTestListener* listener) override;
  void StartSceneRun(const std::u16string& app_name, std::shared_ptr<const SceneData> scene,
                     IRunnerTestListener* listener) override;
  void StopRun() override;
  void SetPaused(bool paused) override { paused_.store(paused); }
  // UI thread: the operator's input holds a running run until kOperatorQuietMs of quiet.
  void HoldForOperator() override;

  void SetObserver(IRunObserver* observer) override { observer_ = observer; }
  // Set while no run lasts; the next run's watchdog works with these.
  void SetWatchdogSettings(const WatchdogSettings& settings) override { watchdog_settings_ = settings; }

  // The mode of the run started last.
  RunMode Mode() const { return mode_.load(); }
  bool Running() const { return running_.load(); }
  bool Paused() const { return paused_.load(); }
  // Why the watchdog holds the Apps; kNone while they may step or no run lasts. Any thread.
  HoldReason Hold() const override { return running_.load() ? watchdog_.Hold() : HoldReason::kNone; }
  // UI thread (it takes the lock that starting and stopping take). Copies each App's record;
  // no lock is held once it returns.
  RunnerStatus Statuses() const override;
  // Any thread: the number of Apps, which divides the screen into strips.
  int32_t AppCount() const { return app_count_.load(); }

  // --- for the workers (their own threads) ---
  // Milliseconds of the run's clock.
  int64_t NowMs() const { return clock_.NowNs() / kNsPerMs; }
  const IPacingClock& Clock() const { return clock_; }
  IFrameSource& Frames() const { return frames_; }
  IDeviceInput& Input() const { return input_; }
  IFailureSink& Failures() const { return failures_; }
  IRunObserver* Observer() const { return observer_; }
  RunWatchdog& Watchdog() { return watchdog_; }

 private:
  // A new App with the defaults, indexed at the end of the list.
  std::unique_ptr<AppInfo> NewApp(const std::u16string& app_name) const;
  void Append(std::unique_ptr<AppInfo> app, RunMode mode, IRunnerTestListener* listener);
  void StartWorkers();

  IFrameSource& frames_;
  IDeviceInput& input_;
  IFailureSink& failures_;
  const IPacingClock& clock_;
  // Serialises starting and stopping (and reading the Apps' records); never taken by a worker.
  mutable std::mutex control_mutex_;
  std::atomic<RunMode> mode_{RunMode::RunApps};
  std::atomic<bool> running_{false};
  std::atomic<bool> paused_{false};
  IRunObserver* observer_ = nullptr;
  WatchdogSettings watchdog_settings_;
  RunWatchdog watchdog_;
  // The lists belong to the caller's thread. AddApp may append while other workers run: each
  // worker touches only its own App (which does not move), and reads the count atomically.
  struct RunningApp {
    std::unique_ptr<AppInfo> app;
    RunMode mode = RunMode::RunApps;
    IRunnerTestListener* listener = nullptr;  // where an editor test's results go
    std::unique_ptr<AppWorker> worker;
  };
  std::vector<RunningApp> apps_;
  std::atomic<int32_t> app_count_{0};
};

}  // namespace zor
