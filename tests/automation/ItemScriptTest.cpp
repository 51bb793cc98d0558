// The Item script: lexical rules, the four commands, every "set" key, and ParseAction.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "automation/ItemScript.h"
#include "AutomationTestSupport.h"
#include "platform/CodePage.h"

namespace zor {
namespace {

// The match every case runs with: top-left (100, 200), centre (116, 208).
constexpr MatchPlace kBest{100, 200, 116, 208};

// An App whose Scene holds Items named A (the one running the script), B, A and an unnamed one.
struct ScriptWorld {
  AppInfo app;
  Item* runner = nullptr;

  explicit ScriptWorld(size_t runner_index = 0, bool active = true) {
    for (const char16_t* name : {u"A", u"B", u"A", u""}) {
      app.Scene->Items.push_back(test::MakeItem(name, active));
    }
    runner = app.Scene->Items[runner_index].get();
    runner->ClickOffsetX = 5;
    runner->ClickOffsetY = -3;
    runner->WorkOffsetX = -10;
    runner->WorkOffsetY = -20;
    runner->WorkWidth = 300;
    runner->WorkHeight = 400;
  }

  bool Run(std::u16string script) {
    runner->Script = std::move(script);
    return RunItemScript(app, *runner, kBest);
  }

  std::vector<bool> Flags() const {
    std::vector<bool> flags;
    for (const auto& item : app.Scene->Items) flags.push_back(item->Active);
    return flags;
  }
};

using test::KeyAction;
using test::PointAction;
using test::TextAction;

TEST(ItemScript, ActionLinesBecomeActions) {
  const ItemAction none{};
  struct Case {
    std::u16string script;
    std::vector<ItemAction> expected;
  };
  const Case cases[] = {
      {u"action CLK", {PointAction(ActionCode::Clk, 116, 208)}},
      {u"ACTION clk", {PointAction(ActionCode::Clk, 116, 208)}},
      {u"Action RDblClk", {PointAction(ActionCode::RDblClk, 116, 208)}},
      {u"action CLKRE", {PointAction(ActionCode::ClkRe, 105, 197)}},
      {u"action rclkre", {PointAction(ActionCode::RClkRe, 105, 197)}},
      {u"action MOVERE", {PointAction(ActionCode::MoveRe, 105, 197)}},
      {u"action CLICK", {none}},
      {u"action", {none}},
      {u"action DRAG 500 600", {PointAction(ActionCode::Drag, 116, 208, 500, 600)}},
      {u"action DRAG 500", {PointAction(ActionCode::Drag, 116, 208, 500, 0)}},
      {u"action DRAGRE 1x -2", {PointAction(ActionCode::DragRe, 105, 197, 1, -2)}},
      {u"action DRAG 99999999999 y", {PointAction(ActionCode::Drag, 116, 208, 0, 0)}},
      {u"action KEY 40 0", {KeyAction(40, 0)}},
      {u"action KEY 4 2", {KeyAction(4, 2)}},
      {u"action KEY 296", {KeyAction(40, 0)}},
      {u"action KEY -1 258", {KeyAction(255, 2)}},
      {u"action INPUT \"hello  world\"", {TextAction(ActionCode::Input, u"hello  world")}},
      {u"action INPUT", {TextAction(ActionCode::Input, u"")}},
      {u"action INPUT \"\" next", {TextAction(ActionCode::Input, u"next")}},
      {u"action INPUT a\"b c\"d", {TextAction(ActionCode::Input, u"ab cd")}},
      {u"action INPUT_ID", {TextAction(ActionCode::InputId, u"TestID")}},
      {u"action INPUT_PASS", {TextAction(ActionCode::InputPass, u"SamplePw")}},
      {u"action INPUT_STR", {TextAction(ActionCode::InputStr, u"TestStr")}},
      {u"action INPUT_ETC", {TextAction(ActionCode::InputEtc, u"TestEtc")}},
      {u" \t action\tMOVE  \r\n   \r\n\r\nfoo bar\naction CLK\r",
       {PointAction(ActionCode::Move, 116, 208), PointAction(ActionCode::Clk, 116, 208)}},
      {u"\"\" action CLK", {PointAction(ActionCode::Clk, 116, 208)}},  // the empty token is dropped
      {u"final\naction CLK", {PointAction(ActionCode::Clk, 116, 208)}},
      {u"last 0\naction CLK", {}},
      {u"action MOVE\nlast 9\naction CLK\nlast 4\naction CLK", {PointAction(ActionCode::Move, 116, 208)}},
      {u"   \r", {}},
      {u"", {}},
  };
  for (const auto& c : cases) {
    ScriptWorld world;
    EXPECT_EQ(world.Run(c.script), !c.expected.empty()) << ToUtf8(c.script);
    EXPECT_EQ(world.runner->Actions, c.expected) << ToUtf8(c.script);
  }
}

TEST(ItemScript, LastComparesWithTheActiveCountAtTheStart) {
  struct Case {
    std::vector<bool> active;  // of the four Items; the runner is Item 0
    std::u16string script;
    size_t actions;
    std::vector<bool> after;
    uint64_t cooldown_ms;
  };
  const Case cases[] = {
      // Three active: "last 1" blocks the actions but the "set" lines still run.
      {{true, true, true, false},
       u"last 1\naction CLK\nset cooldown 2000",
       0,
       {true, true, true, false},
       2000},
      // The runner alone: it acts and ends the Scene.
      {{true, false, false, false}, u"last 1\naction CLK", 1, {false, false, false, false}, 0},
      {{true, true, true, true},
       u"LAST 4\naction CLK\nset cooldown 5",
       1,
       {false, false, false, false},
       5},
      // The count is taken once: switching Items off first does not change it.
      {{true, true, false, false},
       u"set inactive B\nlast 2\naction CLK",
       1,
       {false, false, false, false},
       0},
  };
  for (const auto& c : cases) {
    ScriptWorld world;
    for (size_t i = 0; i < c.active.size(); ++i) world.app.Scene->Items[i]->Active = c.active[i];
    world.Run(c.script);
    EXPECT_EQ(world.runner->Actions.size(), c.actions) << ToUtf8(c.script);
    EXPECT_EQ(world.Flags(), c.after) << ToUtf8(c.script);
    EXPECT_EQ(world.runner->CooldownMs, c.cooldown_ms) << ToUtf8(c.script);
  }
}

TEST(ItemScript, SetKeysClampAndConvert) {
  struct Case {
    std::u16string script;
    int32_t delay;
    uint64_t item_delay;
    uint64_t cooldown_ms;
  };
  const Case cases[] = {
      {u"set delay 150", 100, 0, 0},
      {u"set delay 50", 50, 0, 0},
      {u"set delay -5", -5, 0, 0},
      {u"set delay 12abc", 12, 0, 0},
      {u"set delay +7", 7, 0, 0},
      {u"set delay", 0, 0, 0},
      {u"SET delay 7", 7, 0, 0},
      {u"set Delay 7", 3, 0, 0},  // keys are case-sensitive: the App keeps its delay
      {u"set", 3, 0, 0},
      {u"set itemdelay -1", 3, 100, 0},
      {u"set itemdelay 101", 3, 100, 0},
      {u"set itemdelay 100", 3, 100, 0},
      {u"set itemdelay 5", 3, 5, 0},
      {u"set cooldown abc", 3, 0, 0},
      {u"set cooldown 2000", 3, 0, 2000},
      {u"set cooldown -1", 3, 0, UINT64_MAX},
      {u"set cooldown 2147483648", 3, 0, 0},
      {u"set cooldown -2147483648", 3, 0, uint64_t(int64_t{INT32_MIN})},
  };
  for (const auto& c : cases) {
    ScriptWorld world;
    world.app.Delay = 3;
    world.Run(c.script);
    EXPECT_EQ(world.app.Delay, c.delay) << ToUtf8(c.script);
    EXPECT_EQ(world.runner->ItemDelay, c.item_delay) << ToUtf8(c.script);
    EXPECT_EQ(world.runner->CooldownMs, c.cooldown_ms) << ToUtf8(c.script);
    EXPECT_TRUE(world.runner->Actions.empty());
  }
}

TEST(ItemScript, WorkAreaComesFromTheMatchAndLastsUntilChanged) {
  ScriptWorld world;
  world.Run(u"set workarea");
  EXPECT_EQ(world.app.WorkLeft, 90);
  EXPECT_EQ(world.app.WorkTop, 180);
  EXPECT_EQ(world.app.WorkWidth, 300);
  EXPECT_EQ(world.app.WorkHeight, 400);
  world.Run(u"action CLK");
  EXPECT_EQ(world.app.WorkLeft, 90);
  // Offsets from a damaged file wrap instead of overflowing.
  world.runner->WorkOffsetX = INT32_MAX;
  world.Run(u"set workarea");
  EXPECT_EQ(world.app.WorkLeft, INT32_MIN + 99);
}

TEST(ItemScript, ActiveAndInactiveWithAndWithoutAName) {
  struct Case {
    size_t runner;
    bool start;
    std::u16string script;
    std::vector<bool> after;  // Items A, B, A, unnamed
  };
  const Case cases[] = {
      {0, true, u"set inactive", {false, true, false, true}},
      {0, false, u"set active", {true, false, true, false}},
      {0, false, u"set active Nope", {false, false, false, false}},
      {0, true, u"set inactive B", {true, false, true, true}},
      {0, true, u"set inactive \"B\"", {true, false, true, true}},
      {0, false, u"set active A", {true, false, true, false}},
      {0, true, u"set next", {false, false, false, false}},
      {0, true, u"final", {false, false, false, false}},
      {3, true, u"set inactive", {false, false, false, false}},  // unnamed runner: every Item
      {0, true, u"set Inactive", {true, true, true, true}},
  };
  for (const auto& c : cases) {
    ScriptWorld world(c.runner, c.start);
    world.Run(c.script);
    EXPECT_EQ(world.Flags(), c.after) << ToUtf8(c.script);
  }
}

TEST(ItemScript, EachRunStartsWithAnEmptyActionList) {
  ScriptWorld world;
  EXPECT_TRUE(world.Run(u"action CLK\naction MOVE"));
  EXPECT_EQ(world.runner->Actions.size(), 2u);
  EXPECT_FALSE(world.Run(u"set delay 1"));
  EXPECT_TRUE(world.runner->Actions.empty());
}

TEST(ItemScript, AppWithoutSceneStillRunsTheScript) {
  AppInfo app;
  app.Scene.reset();
  Item item;
  item.Script = u"last 0\nset next\nset active\nfinal\nset delay 4";
  EXPECT_FALSE(RunItemScript(app, item, kBest));
  EXPECT_EQ(app.Delay, 4);
  item.Script = u"action CLK";
  EXPECT_TRUE(RunItemScript(app, item, kBest));
}

}  // namespace
}  // namespace zor
