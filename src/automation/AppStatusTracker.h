#pragma once
// The status record of one App while its worker runs: the worker fills a working copy during a
// step and publishes it at the step's end; the pane reads the published copy.
//
// Threads: every method but Read is the App's worker's (Begin: the thread that starts the
// worker, before its thread runs). Read is any thread's. The published record sits behind a
// mutex that either side holds only to copy the record's few fields: the names are strings,
// which a sequence lock cannot copy safely, and an immutable record swapped through an atomic
// pointer would cost an allocation on every step. The pane reads at most four times a second
// and never paints under the lock, so the worker practically never waits for it.
#include <cstdint>
#include <mutex>

#include "analysis/AnalysisResult.h"
#include "automation/AppStatus.h"
#include "model/AppInfo.h"

namespace zor {

class AppStatusTracker {
 public:
  // A run of `app` starts at `now_ms`: no Item, no action, no steps yet.
  void Begin(const AppInfo& app, int64_t now_ms);
  // The step analysed `item`; found or not, from its result.
  void Evaluated(const Item& item, const AnalysisResult& result);
  void ActionSent(ActionCode code, int64_t now_ms);
  // The step is over: counts it, settles the state and publishes the record. `stalled`: the
  // App has been flagged as stalled and has found nothing since.
  void StepDone(const AppInfo& app, bool stalled, int64_t now_ms);
  // The worker ended on a failure; publishes at once.
  void Failed();
  // The published record.
  AppStatus Read() const;

 private:
  void Publish();
  void CountStep(int64_t now_ms);

  AppStatus working_;  // worker thread
  int64_t window_start_ms_ = 0;
  uint64_t window_steps_ = 0;
  mutable std::mutex mutex_;
  AppStatus published_;  // under mutex_
};

}  // namespace zor
