// The rules of a runner step that need no thread: the work rectangle and the Item selection.
#include <gtest/gtest.h>

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

TEST(RunnerRules, ActiveItemsTakeTurnsInListOrder) {
  AppInfo app = AppWithItems({true, false, true, true});
  std::vector<std::string> picks;
  for (int i = 0; i < 7; ++i) picks.push_back(Pick(app));
  EXPECT_EQ(picks, (std::vector<std::string>{"0", "2", "3", "0", "2", "3", "0"}));
}

TEST(RunnerRules, ItemDelayPassesOverTheItemAndCountsDown) {
  AppInfo app = AppWithItems({true, true});
  app.Scene->Items[0]->ItemDelay = 2;
  std::vector<std::string> picks;
  for (int i = 0; i < 5; ++i) picks.push_back(Pick(app));
  // Item 0 is passed over on the first two selections that reach it.
  EXPECT_EQ(picks, (std::vector<std::string>{"1", "1", "0", "1", "0"}));
  EXPECT_EQ(app.Scene->Items[0]->ItemDelay, 0u);
}

TEST(RunnerRules, AppDelaySkipsWholeStepsWithoutTouchingItems) {
  AppInfo app = AppWithItems({true});
  app.Scene->Items[0]->ItemDelay = 1;
  app.Delay = 100;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(Pick(app), "none") << "step " << i;
  EXPECT_EQ(app.Delay, 0);
  EXPECT_EQ(app.Scene->Items[0]->ItemDelay, 1u);
  EXPECT_EQ(Pick(app), "none");  // now the Item's own delay
  EXPECT_EQ(Pick(app), "0");
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

TEST(RunnerRules, StepsWithOnlyDelayedOrCoolingItemsAreNotEmpty) {
  AppInfo app = AppWithItems({true});
  app.Scene->Items[0]->CooldownMs = 10'000;
  app.Scene->Items[0]->LastEvalMs = 1000;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Pick(app), "none");
  EXPECT_EQ(app.EmptyTicks, 0);
}

TEST(RunnerRules, NoSceneOrNoItemsNeverCountsEmptyTicks) {
  AppInfo no_items;
  EXPECT_EQ(Pick(no_items), "none");
  EXPECT_EQ(Pick(no_items), "none");
  EXPECT_EQ(no_items.EmptyTicks, 0);
  AppInfo no_scene;
  no_scene.Scene.reset();
  EXPECT_EQ(Pick(no_scene), "none");
}

TEST(RunnerRules, NextStartBeyondTheListWrapsAround) {
  AppInfo app = AppWithItems({true, true, true});
  app.NextStart = 7;  // the list shrank since the last selection
  EXPECT_EQ(Pick(app), "1");
  EXPECT_EQ(app.NextStart, 2);
}

}  // namespace
}  // namespace zor
