#pragma once
// Pieces of the runner tests: scripted frames with planted targets, Items that look for them,
// a driver that records every call, and an observer that counts what each App did.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "automation/AutoRunner.h"
#include "automation/RunnerTestListener.h"
#include "automation/RunObserver.h"
#include "device/DeviceDriver.h"
#include "model/ScreenImage.h"
#include "presentation/PaneController.h"
#include "support/RecordingDriver.h"

namespace zor::test {

// Side of the square targets planted into scripted frames, and the size of those frames.
inline constexpr int32_t kTargetSide = 24;
inline constexpr int32_t kScriptedWidth = 320;
inline constexpr int32_t kScriptedHeight = 90;

struct Target {
  uint32_t seed = 0;  // which pattern
  int32_t x = 0;      // top-left corner in the frame
  int32_t y = 0;
};

// A BGRA frame of noise (the same for every call) with the targets planted into it.
FramePtr ScriptedFrame(int32_t width, int32_t height, const std::vector<Target>& targets);
// An image-match Item whose template is the pattern of `seed`.
std::shared_ptr<Item> TargetItem(const std::u16string& name, uint32_t seed, const std::u16string& script = u"");

// What the runner reported, per App index. Any thread.
class RunRecorder : public IRunObserver {
 public:
  struct Evaluation {
    int32_t app = 0;
    std::u16string item;
    WorkRect area;
    MatchRecord best;
    uint64_t tick_ms = 0;  // when the runner selected the Item (its last evaluation)
    uint64_t step = 0;  // the App's step, counted from 1
  };

  void OnSceneLoaded(const AppInfo& app) override;
  void OnItemEvaluated(const AppInfo& app, const Item& item, const WorkRect& area, const AnalysisResult& result) override;
  void OnActionSent(const AppInfo& app, const Item& item, const ItemAction& action) override;
  void OnSceneChanged(const AppInfo& app) override;
  void OnAppIdle(const AppInfo& app) override;
  void OnStepDone(const AppInfo& app) override;

  std::vector<Evaluation> Evaluations(int32_t app = -1) const;  // -1: of every App
  // "loaded A S", "changed A S", "idle A", "action A CLK" (App index A, Scene index S), each
  // followed by " at N": the App's step in which it happened (0 before the first step).
  std::vector<std::string> Events() const;
  uint64_t Steps(int32_t app) const;
  // Waits until App `app` has taken at least `steps` steps; false after `timeout_ms`.
  bool WaitForSteps(int32_t app, uint64_t steps, int timeout_ms = 10000) const;

 private:
  void Note(const AppInfo& app, std::string event);
  uint64_t StepOf(int32_t app) const;  // mutex_ held: the step in progress
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Evaluation> evaluations_;
  std::vector<std::string> events_;
  std::vector<uint64_t> steps_;
};

// What the runner hands to the editor. Any thread.
class RecordingListener : public IRunnerTestListener {
 public:
  void SetTestBestMatch(const MatchRecord& best, const std::optional<ScoredPosition>& best_seen) override;
  void SetLastAction(const ActionMark& mark) override;
  std::vector<MatchRecord> Bests() const;
  std::vector<std::optional<ScoredPosition>> BestsSeen() const;
  std::vector<ActionMark> Marks() const;

 private:
  mutable std::mutex mutex_;
  std::vector<MatchRecord> bests_;
  std::vector<std::optional<ScoredPosition>> bests_seen_;
  std::vector<ActionMark> marks_;
};

// A pane's controller and session fed by the test instead of a device (its record's type has
// no driver), with the pane's runner reporting to `observer` and a recording driver installed.
// The runner's time comes from `clock`, which outlives the client.
struct ScriptedClient {
  explicit ScriptedClient(IRunObserver& observer, const IPacingClock& clock = SystemPacingClock());
  ~ScriptedClient();  // stops the run

  DeviceInfo device;
  PaneController pane{&device};
  DeviceSession& client = pane.Session();
  AutoRunner* runner = nullptr;
  RecordingDriver* driver = nullptr;
};

}  // namespace zor::test
