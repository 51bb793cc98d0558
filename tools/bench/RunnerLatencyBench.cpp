// The runner's reaction time: from a frame handed to DeviceSession::OnFrame to the first driver call
// of the action its analysis triggers, for one App and for four Apps on one client (1920 x 1080,
// a 64 x 64 image Item per App). Beside it, the analysis alone on the same work area, so that the
// runner's own share (hand-off, wake-up, script, action start) is the difference of the two.
// Target: the analysis time plus under 2 ms. The second argument 1 narrows each App's work area
// to 128 x 128 around its target (a "set workarea" on the first match), which makes the analysis
// small enough for the runner's own share to show.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <opencv2/core.hpp>

#include "../../tests/support/RecordingDriver.h"
#include "AnalysisBenchSupport.h"
#include "automation/AutoRunner.h"
#include "automation/RunnerRules.h"
#include "DesktopScreen.h"
#include "platform/Clock.h"
#include "session/DeviceSession.h"

namespace zor::bench {
namespace {

constexpr int kTemplateSide = 64;
// Side of the work area that "set workarea" gives around the target in the narrowed variant.
constexpr int kNarrowAreaSide = 128;

// When each App's pointer move after a frame happened (its first driver call).
std::vector<int64_t> TakeMoveTimes(test::RecordingDriver& driver) {
  std::vector<int64_t> times_ns;
  for (const auto& call : driver.TakeCalls()) {
    if (call.line.starts_with("MouseMove")) times_ns.push_back(call.time_ns);
  }
  return times_ns;
}

// Counts finished steps so that each frame is handed to idle workers.
class StepCounter : public IRunObserver {
 public:
  void OnStepDone(const AppInfo&) override {
    {
      std::lock_guard lock(mutex_);
      ++steps_;
    }
    done_.notify_all();
  }
  void WaitFor(uint64_t steps) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return steps_ >= steps; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  uint64_t steps_ = 0;
};

// The desktop with the target copied into the strip of each of `apps` Apps.
FramePtr FrameForApps(int apps) {
  cv::Mat screen = Desktop().clone();
  const cv::Mat target = Desktop()(cv::Rect(kTargetLeft, kTargetTop, kTemplateSide, kTemplateSide)).clone();
  const int strip = screen.cols / apps;
  for (int a = 1; a < apps; ++a) target.copyTo(screen(cv::Rect(a * strip + kTargetLeft, kTargetTop, kTemplateSide, kTemplateSide)));
  auto frame = std::make_shared<ScreenImage>();
  frame->width = static_cast<uint32_t>(screen.cols);
  frame->height = static_cast<uint32_t>(screen.rows);
  frame->pixels.assign(screen.datastart, screen.dataend);
  return frame;
}

// An Item that moves the pointer to its target: one driver call, then the shortest wait.
std::shared_ptr<Item> MovingItem(bool narrow) {
  auto item = std::make_shared<Item>(TargetItem(kEngineImage, {kTemplateSide, kTemplateSide}));
  item->Script = narrow ? u"set workarea\naction MOVE" : u"action MOVE";
  item->WorkOffsetX = (kTemplateSide - kNarrowAreaSide) / 2;
  item->WorkOffsetY = (kTemplateSide - kNarrowAreaSide) / 2;
  item->WorkWidth = kNarrowAreaSide;
  item->WorkHeight = kNarrowAreaSide;
  return item;
}

double PercentileMs(std::vector<double> values_ms, double fraction) {
  if (values_ms.empty()) return 0;
  const auto at = static_cast<size_t>(fraction * static_cast<double>(values_ms.size() - 1));
  std::nth_element(values_ms.begin(), values_ms.begin() + static_cast<ptrdiff_t>(at), values_ms.end());
  return values_ms[at];
}

void ReportLatencies(benchmark::State& state, const std::vector<double>& latencies_ms) {
  state.counters["median_ms"] = PercentileMs(latencies_ms, 0.5);
  state.counters["p99_ms"] = PercentileMs(latencies_ms, 0.99);
}

void BM_FrameToFirstDriverCall(benchmark::State& state) {
  const int apps = static_cast<int>(state.range(0));
  const bool narrow = state.range(1) != 0;
  DeviceInfo device;
  device.Type = 7;  // no driver of its own: the recording one is installed
  DeviceSession client(&device);
  client.InstallDriver();
  auto owned_driver = std::make_unique<test::RecordingDriver>();
  test::RecordingDriver* driver = owned_driver.get();
  client.SetDriver(std::move(owned_driver));
  StepCounter steps;
  AutoRunner runner(client, client, client);
  runner.SetObserver(&steps);
  for (int a = 0; a < apps; ++a) {
    auto scene = std::make_shared<SceneData>();
    scene->Items = {MovingItem(narrow)};
    runner.StartSceneRun(u"", scene, nullptr);
  }
  const FramePtr frame = FrameForApps(apps);
  // One untimed step: buffers warm, and in the narrow variant the work areas set.
  client.OnFrame(frame);
  uint64_t expected_steps = static_cast<uint64_t>(apps);
  steps.WaitFor(expected_steps);
  driver->TakeCalls();
  std::vector<double> latencies_ms;
  for (auto _ : state) {
    const int64_t start_ns = MonotonicNs();
    client.OnFrame(frame);
    expected_steps += static_cast<uint64_t>(apps);
    steps.WaitFor(expected_steps);
    const std::vector<int64_t> calls = TakeMoveTimes(*driver);
    if (calls.size() != static_cast<size_t>(apps)) state.SkipWithError("an App did not act on the frame");
    for (const int64_t call_ns : calls) latencies_ms.push_back(static_cast<double>(call_ns - start_ns) / 1e6);
  }
  runner.StopRun();
  ReportLatencies(state, latencies_ms);
}
BENCHMARK(BM_FrameToFirstDriverCall)
    ->Args({1, 0})->Args({4, 0})->Args({1, 1})->Args({4, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// The analysis of one App's step alone: App 0's work area with `apps` Apps on the client.
void BM_AnalysisOfOneStep(benchmark::State& state) {
  const int apps = static_cast<int>(state.range(0));
  const bool narrow = state.range(1) != 0;
  const FramePtr frame = FrameForApps(apps);
  const std::shared_ptr<Item> item = MovingItem(narrow);
  AppInfo app;
  if (narrow) {
    app.WorkLeft = kTargetLeft + item->WorkOffsetX;
    app.WorkTop = kTargetTop + item->WorkOffsetY;
    app.WorkWidth = item->WorkWidth;
    app.WorkHeight = item->WorkHeight;
  }
  const WorkRect area = ComputeWorkRect(app, apps, static_cast<int32_t>(frame->width), static_cast<int32_t>(frame->height));
  const AnalysisFrame view{area, static_cast<int32_t>(frame->width), static_cast<int32_t>(frame->height), frame->pixels};
  AnalysisResult result;
  std::vector<double> durations_ms;
  for (auto _ : state) {
    const int64_t start_ns = MonotonicNs();
    RunAnalysis(view, *item, result);
    durations_ms.push_back(static_cast<double>(MonotonicNs() - start_ns) / 1e6);
    if (!result.Best.Valid) state.SkipWithError("the target was not found");
  }
  ReportLatencies(state, durations_ms);
}
BENCHMARK(BM_AnalysisOfOneStep)
    ->Args({1, 0})->Args({4, 0})->Args({1, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zor::bench
