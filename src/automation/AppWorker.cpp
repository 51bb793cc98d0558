#include "automation/AppWorker.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <string>
#include <utility>

#include "automation/ActionExecution.h"
#include "automation/AutoRunner.h"
#include "automation/ItemScript.h"
#include "automation/RunnerRules.h"
#include "platform/Diag.h"

namespace zor {
namespace {

constexpr std::string_view kDiag = "automation";

// The longest single wait for a deadline: keeps its nanoseconds far inside int64_t whatever
// the settings say; a worker that wakes after it only looks at the time again.
constexpr int64_t kLongestWaitMs = 24LL * 3600 * 1000;

MatchPlace PlaceOf(const MatchRecord& best) { return {best.Left, best.Top, best.CenterX, best.CenterY}; }

ActionMark MarkOf(const ItemAction& action, const MatchRecord& best) {
  ActionMark mark{0, 0, best.Left, best.Top, best.Left + best.Width, best.Top + best.Height};
  ActionPoint(action, mark.X, mark.Y);
  return mark;
}

}  // namespace

AppWorker::AppWorker(AutoRunner& runner, AppInfo& app, RunMode mode, IRunnerTestListener* listener)
    : runner_(runner), app_(app), mode_(mode), listener_(listener) {}

AppWorker::~AppWorker() { Stop(); }

void AppWorker::Start() {
  if (running_.load()) return;
  if (thread_.joinable()) thread_.join();  // a loop that ended on a failure
  mailbox_.Take();  // a frame left from an earlier run is not stepped on
  running_.store(true);
  stop_ = std::stop_source();
  stall_.Restart(runner_.NowMs());
  status_.Begin(app_, runner_.NowMs());
  try {
    thread_ = std::thread([this] { WorkerLoop(); });
  } catch (...) {
    running_.store(false);
    throw;
  }
  // Debuggers and profilers show the thread by this name (at most 15 characters are kept).
  const std::string name = "worker App" + std::to_string(app_.Index);
  pthread_setname_np(thread_.native_handle(), name.substr(0, 15).c_str());
  runner_.Frames().AttachConsumer(ConsumerRole::AnalysisWorker, this);
}

void AppWorker::Stop() {
  runner_.Frames().DetachConsumer(this);  // waits for a hand-off in progress
  {
    std::lock_guard lock(mutex_);
    running_.store(false);
  }
  stop_.request_stop();
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void AppWorker::OnFrame(const FramePtr& frame) {
  // The watchdog sees every picture, also those of a paused or held run: they end its hold.
  runner_.Watchdog().OnFrame(runner_.NowMs(), frame->width, frame->height);
  // A paused or held runner uses up its frames here, so none that came during the pause is
  // stepped on once it goes on.
  if (runner_.Paused() || runner_.Hold() != HoldReason::kNone) return;
  mailbox_.OnFrame(frame);
}

void AppWorker::WakeForFrame() {
  { std::lock_guard lock(mutex_); }
  wake_.notify_one();
}

void AppWorker::DeadlineMoved() {
  {
    std::lock_guard lock(mutex_);
    deadline_moved_ = true;
  }
  wake_.notify_one();
}

FramePtr AppWorker::WaitForFrame() {
  std::unique_lock lock(mutex_);
  FramePtr frame;
  // Something to do: a frame, the stop, or a new deadline to wait for.
  const auto woken = [&] {
    if (!frame) frame = mailbox_.Take();
    return !running_.load() || frame != nullptr || std::exchange(deadline_moved_, false);
  };
  // While waiting, the worker wakes at the watchdog's next deadline (no signal, the end of the
  // operator's hold) to tell it the time; nothing polls.
  while (running_.load() && !frame) {
    const int64_t tick_ms = runner_.Watchdog().NextTickMs();
    const int64_t now_ms = runner_.NowMs();
    if (tick_ms == kNoDeadlineMs) {
      wake_.wait(lock, woken);
    } else if (tick_ms > now_ms) {
      const int64_t wait_ms = std::min(tick_ms - now_ms, kLongestWaitMs);
      runner_.Clock().WaitFor(lock, wake_, wait_ms * AutoRunner::kNsPerMs, woken);
    } else {
      lock.unlock();  // the watchdog tells the observer, which must not wait for this lock
      runner_.Watchdog().OnTick(now_ms);
      lock.lock();
    }
  }
  if (!running_.load()) return nullptr;
  return frame;
}

void AppWorker::WorkerLoop() {
  try {
    while (running_.load()) {
      FramePtr frame = WaitForFrame();
      if (!frame) break;
      if (runner_.Paused() || runner_.Hold() != HoldReason::kNone) continue;
      if (mode_ == RunMode::TestItem) {
        TestStep(std::move(frame));
      } else {
        RunStep(std::move(frame));
      }
      status_.StepDone(app_, stall_.Flagged(), runner_.NowMs());
      if (IRunObserver* observer = runner_.Observer()) observer->OnStepDone(app_);
    }
  } catch (const std::exception& e) {
    // A failure inside a step (out of memory in the analysis, say) ends this App's run only;
    // the other Apps go on, and the device shows Error with the reason until the operator acts.
    ReportStopped(e.what());
  }
}

void AppWorker::ReportStopped(const std::string& what) {
  const std::string reason = "App " + std::to_string(app_.Index) + " stopped: " + what;
  diag::Write(kDiag, "AppWorker: " + reason);
  running_.store(false);
  status_.Failed();
  runner_.Failures().ReportFailure(reason);
}

void AppWorker::AnalyseItem(FramePtr frame, const Item& item, AnalysisResult& result) {
  if (work_copy_.CopyFrom(ViewForStep(*frame))) {
    frame.reset();  // the search runs on the copy
    work_copy_.Analyse(item, result);
  } else {
    // The whole screen. A large search waits for its turn (AnalysisTurn) without holding the
    // picture, since with many Apps waiting each would keep a whole screen of its own, and then
    // searches the newest picture: the one it let go of, or one that came meanwhile.
    const int64_t screen_pixels = int64_t{frame->width} * frame->height;
    const std::weak_ptr<const ScreenImage> waited = std::exchange(frame, nullptr);
    const AnalysisTurn turn(screen_pixels);
    frame = mailbox_.Take();
    if (!frame) frame = waited.lock();  // null only when the run was paused meanwhile
    if (frame) RunAnalysis(ViewForStep(*frame), item, result);
  }
  status_.Evaluated(item, result);
  if (IRunObserver* observer = runner_.Observer()) observer->OnItemEvaluated(app_, item, rc_work_, result);
}

AnalysisFrame AppWorker::ViewForStep(const ScreenImage& frame) {
  const auto width = static_cast<int32_t>(frame.width);
  const auto height = static_cast<int32_t>(frame.height);
  rc_work_ = ComputeWorkRect(app_, runner_.AppCount(), width, height);
  return {rc_work_, width, height, frame.pixels};
}

void AppWorker::RunStep(FramePtr frame) {
  const ItemSelection selection = SelectNextItem(app_, mode_ == RunMode::RunApps, static_cast<uint64_t>(runner_.NowMs()));
  if (selection.scene_finished) FinishScene();
  const int64_t now_ms = runner_.NowMs();
  if (!selection.item) return CheckStall(now_ms);
  Item& item = *selection.item;
  item.LastEvalMs = static_cast<uint64_t>(now_ms);
  AnalysisResult result;
  AnalyseItem(std::move(frame), item, result);
  if (!result.Best.Valid) return CheckStall(now_ms);
  stall_.Restart(now_ms);
  if (RunItemScript(app_, item, PlaceOf(result.Best))) ExecuteActions(item, result);
}

void AppWorker::ExecuteActions(const Item& item, const AnalysisResult& result) {
  const ActionWait wait{[this](int64_t ms) { WaitMs(ms); }, stop_.get_token()};
  for (const ItemAction& action : item.Actions) {
    if (!running_.load()) return;  // stopping: the rest of the list is dropped
    ExecuteAction(action, runner_.Input(), wait);
    status_.ActionSent(action.Code, runner_.NowMs());
    if (IRunObserver* observer = runner_.Observer()) observer->OnActionSent(app_, item, action);
    if (listener_) listener_->SetLastAction(MarkOf(action, result.Best));
  }
}

void AppWorker::CheckStall(int64_t now_ms) {
  const RunWatchdog& watchdog = runner_.Watchdog();
  if (!stall_.Check(now_ms, watchdog.LastResumeMs(), watchdog.StallMs())) return;
  if (IRunObserver* observer = runner_.Observer()) observer->OnStalled(app_, stall_.SecondsSince(now_ms));
}

void AppWorker::FinishScene() {
  // A new Scene, or the idle App's finish once more: either way no stall on the Scene left.
  stall_.Restart(runner_.NowMs());
  const int32_t before = app_.CurrentScene;
  app_.NextScene();
  IRunObserver* observer = runner_.Observer();
  if (!observer) return;
  if (app_.CurrentScene == before) {
    // After the last Scene every step finishes it again; the App went idle on the first.
    if (app_.EmptyTicks == 2) observer->OnAppIdle(app_);
  } else {
    observer->OnSceneChanged(app_);
    observer->OnSceneLoaded(app_);
  }
}

void AppWorker::TestStep(FramePtr frame) {
  if (!app_.Scene || app_.Scene->Items.empty() || !app_.Scene->Items.front()) return;
  AnalysisResult result;
  AnalyseItem(std::move(frame), *app_.Scene->Items.front(), result);
  if (listener_) listener_->SetTestBestMatch(result.Best, result.BestSeen);
}

void AppWorker::WaitMs(int64_t ms) {
  if (ms <= 0) return;
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return !running_.load(); });
}

}  // namespace zor
