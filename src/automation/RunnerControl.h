#pragma once
// The automation runner as the pane's buttons and the scene editor's test buttons drive it.
// Called on the UI thread only; never from a worker of the runner itself.
#include <memory>
#include <string>

#include "automation/AppStatus.h"
#include "automation/RunObserver.h"
#include "automation/RunnerTestListener.h"
#include "automation/RunWatchdog.h"
#include "model/Item.h"
#include "model/SceneData.h"

namespace zor {

class IRunnerControl {
 public:
  virtual ~IRunnerControl() = default;
  // Runs the named App (loaded from its file) alongside those already running.
  virtual void AddApp(const std::u16string& app_name) = 0;
  // Tests a copy of one Item of the editor: analysis only, each best match goes to `listener`.
  virtual void StartItemTest(std::shared_ptr<const Item> item, IRunnerTestListener* listener) = 0;
  // Runs a copy of the editor's Scene as the current Scene of the named App (never changing
  // Scene); executed actions are reported to `listener`.
  virtual void StartSceneRun(const std::u16string& app_name, std::shared_ptr<const SceneData> scene,
                             IRunnerTestListener* listener) = 0;
  // Ends every worker and forgets every App.
  virtual void StopRun() = 0;
  virtual void SetPaused(bool paused) = 0;
  // The operator sent input to the device by hand: a run is held until the operator has been
  // quiet for kOperatorQuietMs. A runner without a watchdog ignores it.
  virtual void HoldForOperator() {}
  // The watchdog of the next run; a runner without one ignores it.
  virtual void SetWatchdogSettings(const WatchdogSettings& /*settings*/) {}
  // Who hears the next run's events (not owned; null for nobody). Only while no run lasts: the
  // workers read it without a lock. A runner that reports nothing ignores it.
  virtual void SetObserver(IRunObserver* /*observer*/) {}
  // Why the watchdog holds the Apps now (kOperator: the operator's input); kNone without one.
  virtual HoldReason Hold() const { return HoldReason::kNone; }
  // What each running App did last, as its worker published it after its last step, with a
  // pause or hold of the run shown as the App's state; no Apps while no run lasts.
  virtual RunnerStatus Statuses() const { return {}; }
};

}  // namespace zor
