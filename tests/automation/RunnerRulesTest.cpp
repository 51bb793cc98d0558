// The rules of a runner step that need no thread: the work rectangle and the Item selection.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "automation/RunnerRules.h"
#include "AutomationTestSupport.h"

namespace zor {
namespace {

struct RectCase {
  const char* name;
  int32_t app_index;
  int32_t app_count;
  int32_t work_left, work_top, work_width, work_height;
  WorkRect expected;
};

TEST(RunnerRules, WorkRectangleIsTheWorkAreaOrTheAppsStrip) {
  const std::vector<RectCase> cases = {
      {"one App: the whole screen", 0, 1, 0, 0, 0, 0, {0, 0, 1920, 1080}},
      {"two Apps, first", 0, 2, 0, 0, 0, 0, {0, 0, 960, 1080}},
      {"two Apps, second", 1, 2, 0, 0, 0, 0, {960, 0, 1920, 1080}},
      {"three Apps, first", 0, 3, 0, 0, 0, 0, {0, 0, 640, 1080}},
      {"three Apps, third", 2, 3, 0, 0, 0, 0, {1280, 0, 1920, 1080}},
      {"seven Apps truncate", 6, 7, 0, 0, 0, 0, {1644, 0, 1918, 1080}},
      {"work area", 1, 2, 90, 230, 300, 40, {90, 230, 390, 270}},
      {"work area of width 0 is ignored", 1, 2, 90, 230, 0, 40, {960, 0, 1920, 1080}},
      {"work area of height 0 is ignored", 0, 1, 90, 230, 300, 0, {0, 0, 1920, 1080}},
      {"negative size is ignored", 0, 1, 90, 230, -5, 40, {0, 0, 1920, 1080}},
      {"a huge area does not overflow", 0, 1, INT32_MAX - 10, 0, 100, 5, {INT32_MAX - 10, 0, INT32_MAX, 5}},
  };
  for (const RectCase& c : cases) {
    SCOPED_TRACE(c.name);
    AppInfo app;
    app.Index = c.app_index;
    app.WorkLeft = c.work_left;
    app.WorkTop = c.work_top;
    app.WorkWidth = c.work_width;
    app.WorkHeight = c.work_height;
    const WorkRect r = ComputeWorkRect(app, c.app_count, 1920, 1080);
    EXPECT_EQ(std::vector<int32_t>({r.Left, r.Top, r.Right, r.Bottom}),
              std::vector<int32_t>({c.expected.Left, c.expected.Top, c.expected.Right, c.expected.Bottom}));
  }
}

// An App whose Scene holds Items named "0", "1", ... with the given active flags.
AppInfo AppWithItems(const std::vector<bool>& active) {
  AppInfo app;
  for (size_t i = 0; i < active.size(); ++i) app.Scene->Items.push_back(test::MakeItem(std::u16string(1, u'0' + i), active[i]));
  return app;
}

std::string Pick(AppInfo& app, uint64_t now_ms = 1000, bool may_change_scene = true) {
  const ItemSelection s = SelectNextItem(app, may_change_scene, now_ms);
  if (s.scene_finished) return "finished";
  return s.item ? std::string(s.item->Name.begin(), s.item->Name.end()) : "none";
}

TEST(RunnerRules, SelectionTakesActiveItemsInTurnPassingOverDelays) {
  struct Case {
    const char* name;
    std::vector<bool> active;
    std::function<void(AppInfo&)> setup;
    std::vector<std::string> picks;
    int32_t empty_ticks = 0;
  };
  const std::vector<Case> cases = {
      {"active Items take turns in list order", {true, false, true, true}, [](AppInfo&) {},
       {"0", "2", "3", "0", "2", "3", "0"}},
      {"an item delay passes over the Item and counts down", {true, true},
       [](AppInfo& app) { app.Scene->Items[0]->ItemDelay = 2; }, {"1", "1", "0", "1", "0"}},
      {"an App delay skips whole steps, leaving item delays alone", {true},
       [](AppInfo& app) {
         app.Delay = 3;
         app.Scene->Items[0]->ItemDelay = 1;
       },
       {"none", "none", "none", "none", "0"}},
      {"a next start beyond a shrunk list wraps around", {true, true, true},
       [](AppInfo& app) { app.NextStart = 7; }, {"1", "2", "0"}},
      {"only cooling Items: steps are not empty", {true},
       [](AppInfo& app) {
         app.Scene->Items[0]->CooldownMs = 10'000;
         app.Scene->Items[0]->LastEvalMs = 1000;
       },
       {"none", "none", "none"}},
      {"no Items: never empty ticks", {}, [](AppInfo&) {}, {"none", "none"}},
      {"no Scene", {}, [](AppInfo& app) { app.Scene.reset(); }, {"none"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppInfo app = AppWithItems(c.active);
    c.setup(app);
    std::vector<std::string> picks;
    for (size_t i = 0; i < c.picks.size(); ++i) picks.push_back(Pick(app));
    EXPECT_EQ(picks, c.picks);
    EXPECT_EQ(app.EmptyTicks, c.empty_ticks);
  }
}

TEST(RunnerRules, CooldownComparesElapsedTicksUnsigned) {
  struct Case {
    const char* name;
    uint64_t cooldown_ms, last_eval_ms, now_ms;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"no cooldown", 0, 5000, 5000, "0"},
      {"cooling down", 1000, 5000, 5999, "none"},
      {"exactly elapsed", 1000, 5000, 6000, "0"},
      {"never evaluated", 1000, 0, 999, "none"},
      // A tick count behind the last evaluation wraps to a huge difference: the Item is due.
      {"clock behind the last evaluation", 1000, 5000, 4000, "0"},
      // A negative "set cooldown" gives the largest cooldown: never due again.
      {"largest cooldown", UINT64_MAX, 0, UINT64_MAX - 1, "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppInfo app = AppWithItems({true});
    app.Scene->Items[0]->CooldownMs = c.cooldown_ms;
    app.Scene->Items[0]->LastEvalMs = c.last_eval_ms;
    EXPECT_EQ(Pick(app, c.now_ms), c.expected);
  }
}

TEST(RunnerRules, SecondStepWithoutActiveItemFinishesTheSceneOnlyWhenAllowed) {
  for (const bool may_change : {true, false}) {
    SCOPED_TRACE(may_change ? "run of Apps" : "editor run");
    AppInfo app = AppWithItems({false, false});
    std::vector<std::string> picks;
    for (int i = 0; i < 3; ++i) picks.push_back(Pick(app, 1000, may_change));
    const std::string second = may_change ? "finished" : "none";
    EXPECT_EQ(picks, (std::vector<std::string>{"none", second, second}));
    EXPECT_EQ(app.EmptyTicks, 3);
  }
}

}  // namespace
}  // namespace zor
