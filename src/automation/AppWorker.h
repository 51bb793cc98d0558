#pragma once
// The worker thread of one running App: one step per frame received, always on the newest frame.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#include "analysis/AnalysisEngine.h"
#include "analysis/WorkAreaCopy.h"
#include "automation/AppStatusTracker.h"
#include "automation/RunMode.h"
#include "automation/RunWatchdog.h"
#include "automation/RunnerTestListener.h"
#include "model/AppInfo.h"
#include "session/FrameMailbox.h"

namespace zor {

class AutoRunner;

class AppWorker : public IFrameConsumer {
 public:
  // `app` belongs to `runner` and outlives the worker. `mode` is how this App was started: an
  // editor test and the device's Apps may run side by side, each worker stepping its own way.
  // `listener` (modes TestItem and RunEditorScene, else null) hears this worker's results only.
  AppWorker(AutoRunner& runner, AppInfo& app, RunMode mode, IRunnerTestListener* listener);
  ~AppWorker() override;  // Stop
  AppWorker(const AppWorker&) = delete;
  AppWorker& operator=(const AppWorker&) = delete;

  // Starts the thread and attaches the worker to the device's frames. Throws std::system_error
  // when the thread cannot be created (nothing is attached then).
  void Start();
  // Detaches from the frames, wakes the thread (also out of a wait inside an action) and joins
  // it. Never from the worker itself.
  void Stop();
  bool IsRunning() const { return running_.load(); }
  // The watchdog's next deadline came nearer (the operator's hold began): a worker waiting for
  // a frame looks at it again. Any thread.
  void DeadlineMoved();
  // The record published after the worker's last step. Any thread.
  AppStatus Status() const { return status_.Read(); }

  // The device's frame thread: hands the newest frame to the mailbox, which wakes the thread,
  // unless the runner is paused. Frames are never written once published, so keeping the
  // pointer is the copy.
  void OnFrame(const FramePtr& frame) override;

 private:
  void WorkerLoop();
  // The mailbox's hook, on the frame thread.
  void WakeForFrame();
  // Puts the device's Error state up with what stopped this App.
  void ReportStopped(const std::string& what);
  // Blocks until a frame is ready (returned) or the worker is stopped (null).
  FramePtr WaitForFrame();
  // The steps take the frame over: the analysis lets go of it as soon as it can.
  void RunStep(FramePtr frame);
  void TestStep(FramePtr frame);
  // Analyses a copy of the work area when that is less than the whole screen, dropping `frame`
  // before the search: a worker then holds no full screen picture while it waits for a core,
  // only the device's newest one is kept, and 64 devices with an App each fit in far less memory.
  void AnalyseItem(FramePtr frame, const Item& item, AnalysisResult& result);
  // Computes the step's work rectangle for `frame` and views the frame with it.
  AnalysisFrame ViewForStep(const ScreenImage& frame);
  void ExecuteActions(const Item& item, const AnalysisResult& result);
  void FinishScene();
  // Tells the observer once when the App has gone without a match for the stall time.
  void CheckStall(int64_t now_ms);
  // Sleeps inside an action; returns at once when the worker is being stopped.
  void WaitMs(int64_t ms);

  AutoRunner& runner_;
  AppInfo& app_;
  const RunMode mode_ = RunMode::RunApps;
  IRunnerTestListener* const listener_ = nullptr;

  std::atomic<bool> running_{false};
  // Requested by Stop, so that a wait for typed text inside an action ends at once too.
  std::stop_source stop_;
  std::thread thread_;

  // The thread sleeps on `wake_` under `mutex_` until the mailbox holds a frame or the worker
  // stops; the mailbox's hook takes `mutex_` before notifying, so no wake-up is lost between
  // the thread's look into the mailbox and its sleep. Lock order: mutex_, then the mailbox's.
  std::mutex mutex_;
  std::condition_variable wake_;
  FrameMailbox mailbox_{[this] { WakeForFrame(); }};
  bool deadline_moved_ = false;  // under mutex_; set by DeadlineMoved, cleared by the wait

  WorkRect rc_work_;  // the work rectangle of the current step (worker thread)
  WorkAreaCopy work_copy_;  // worker thread
  StallWatch stall_;  // worker thread, and Start before the thread runs
  AppStatusTracker status_;
};

}  // namespace zor
