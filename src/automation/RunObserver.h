#pragma once
// What happens inside a run, for whoever wants to follow it (the command-line runner prints
// each event as a line). Every method has an empty default so an observer picks what it needs.
#include "analysis/AnalysisEngine.h"
#include "analysis/AnalysisResult.h"
#include "automation/RunWatchdog.h"
#include "model/AppInfo.h"
#include "model/ItemAction.h"

namespace zor {

// Called on the App's worker thread, except OnSceneLoaded for an App's first Scene, which is
// called on the thread that adds the App. Calls for one App never overlap; calls for different
// Apps may. Never block, and never call back into the runner from here.
class IRunObserver {
 public:
  virtual ~IRunObserver() = default;
  // The App's current Scene was loaded; a Scene that could not be read is empty, one that read
  // only partly holds what it held, and app.SceneLoad says which and why.
  virtual void OnSceneLoaded(const AppInfo& /*app*/) {}
  // One Item was analysed in `area` of a frame; `result.Best.Valid` tells whether its target
  // was found.
  virtual void OnItemEvaluated(const AppInfo& /*app*/, const Item& /*item*/, const WorkRect& /*area*/,
                               const AnalysisResult& /*result*/) {}
  // One action of an Item was executed through the driver.
  virtual void OnActionSent(const AppInfo& /*app*/, const Item& /*item*/, const ItemAction& /*action*/) {}
  // The App left a Scene with no active Item for the next one; OnSceneLoaded follows.
  virtual void OnSceneChanged(const AppInfo& /*app*/) {}
  // The App finished its last Scene and stays idle until the run stops.
  virtual void OnAppIdle(const AppInfo& /*app*/) {}
  // A step of the App ended, also one that evaluated nothing (a paused runner takes no steps).
  virtual void OnStepDone(const AppInfo& /*app*/) {}
  // The watchdog held every App of the device for `reason`, or (kNone) let them go on. Called
  // on the driver's thread, a worker's or (the operator's input) the UI thread, in the order of
  // the changes.
  virtual void OnHoldChanged(HoldReason /*reason*/) {}
  // The App stayed on its Scene without a match for `seconds`; it goes on running.
  virtual void OnStalled(const AppInfo& /*app*/, int64_t /*seconds*/) {}
};

}  // namespace zor
