#pragma once
// Several observers of one run: the pane's state lines and its run log, or the command line's
// printed events and its log. Each call goes to every observer in list order.
//
// The list is fixed when the fan-out is made, before the run starts, and never changes, so the
// workers, the driver's thread and the UI thread read it without a lock. Each observer keeps
// IRunObserver's rules (never block, never call back into the runner).
#include <utility>
#include <vector>

#include "automation/RunObserver.h"

namespace zor {

class RunObserverFanOut : public IRunObserver {
 public:
  // Not owned; every observer outlives the fan-out's use by the runner.
  explicit RunObserverFanOut(std::vector<IRunObserver*> observers) : observers_(std::move(observers)) {}

  void OnSceneLoaded(const AppInfo& app) override { Each(&IRunObserver::OnSceneLoaded, app); }
  void OnItemEvaluated(const AppInfo& app, const Item& item, const WorkRect& area,
                       const AnalysisResult& result) override {
    Each(&IRunObserver::OnItemEvaluated, app, item, area, result);
  }
  void OnActionSent(const AppInfo& app, const Item& item, const ItemAction& action) override {
    Each(&IRunObserver::OnActionSent, app, item, action);
  }
  void OnSceneChanged(const AppInfo& app) override { Each(&IRunObserver::OnSceneChanged, app); }
  void OnAppIdle(const AppInfo& app) override { Each(&IRunObserver::OnAppIdle, app); }
  void OnStepDone(const AppInfo& app) override { Each(&IRunObserver::OnStepDone, app); }
  void OnHoldChanged(HoldReason reason) override { Each(&IRunObserver::OnHoldChanged, reason); }
  void OnStalled(const AppInfo& app, int64_t seconds) override { Each(&IRunObserver::OnStalled, app, seconds); }

 private:
  template <typename Method, typename... Args>
  void Each(Method method, const Args&... args) {
    for (IRunObserver* observer : observers_) (observer->*method)(args...);
  }

  const std::vector<IRunObserver*> observers_;
};

}  // namespace zor
