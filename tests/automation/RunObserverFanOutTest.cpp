// A run's several observers: each hears every call, in the fan-out's order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/RunObserverFanOut.h"

namespace zor {
namespace {

// Notes "<name> <call>" in a log shared by all observers of a test.
class NamedObserver : public IRunObserver {
 public:
  NamedObserver(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  void OnSceneLoaded(const AppInfo&) override { Note("scene_loaded"); }
  void OnItemEvaluated(const AppInfo&, const Item&, const WorkRect&, const AnalysisResult&) override {
    Note("item_evaluated");
  }
  void OnActionSent(const AppInfo&, const Item&, const ItemAction&) override { Note("action_sent"); }
  void OnSceneChanged(const AppInfo&) override { Note("scene_changed"); }
  void OnAppIdle(const AppInfo&) override { Note("app_idle"); }
  void OnStepDone(const AppInfo&) override { Note("step_done"); }
  void OnHoldChanged(HoldReason reason) override { Note(std::string("hold ") + HoldReasonName(reason)); }
  void OnStalled(const AppInfo&, int64_t seconds) override { Note("stalled " + std::to_string(seconds)); }

 private:
  void Note(const std::string& call) { log_.push_back(name_ + " " + call); }
  const std::string name_;
  std::vector<std::string>& log_;
};

TEST(RunObserverFanOutTest, EveryCallReachesEveryObserverInListOrder) {
  std::vector<std::string> log;
  NamedObserver pane("pane", log), run_log("log", log);
  RunObserverFanOut fan_out({&pane, &run_log});
  const AppInfo app;
  const Item item;
  fan_out.OnSceneLoaded(app);
  fan_out.OnItemEvaluated(app, item, WorkRect{}, AnalysisResult{});
  fan_out.OnActionSent(app, item, ItemAction{});
  fan_out.OnSceneChanged(app);
  fan_out.OnAppIdle(app);
  fan_out.OnStepDone(app);
  fan_out.OnHoldChanged(HoldReason::kScreenSize);
  fan_out.OnStalled(app, 42);
  std::vector<std::string> expected;
  for (const char* call : {"scene_loaded", "item_evaluated", "action_sent", "scene_changed", "app_idle", "step_done",
                           "hold screen_size", "stalled 42"}) {
    expected.push_back(std::string("pane ") + call);
    expected.push_back(std::string("log ") + call);
  }
  EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace zor
