// What the status strip says for each App's record: names, score against threshold, the last
// action's age, the step rate and the state, and how many lines several Apps get.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/StatusStripText.h"

namespace zor {
namespace {

constexpr int64_t kNowMs = 100'000;

// An App that evaluated "OK" on "Login" of "Shop" a moment ago, with no action yet.
AppStatus Shop() {
  AppStatus app;
  app.app = u"Shop";
  app.scene = u"Login";
  app.item = u"OK";
  app.score = 0.912f;
  app.threshold = 0.95f;
  app.steps = 40;
  app.steps_per_s = 2.5;
  app.last_step_ms = kNowMs - 100;
  app.state = AppRunState::kWaitingForMatch;
  return app;
}

struct Case {
  const char* name;
  void (*change)(AppStatus&);
  std::u16string names;
  std::u16string details;
};

const Case kCases[] = {
    {"a miss", [](AppStatus&) {}, u"Shop › Login › OK", u"0.91 / 0.95 · 2.5 steps/s"},
    {"no position scored", [](AppStatus& a) { a.score.reset(); }, u"Shop › Login › OK",
     u"– / 0.95 · 2.5 steps/s"},
    {"nothing evaluated yet", [](AppStatus& a) { a.item.clear(); a.score.reset(); }, u"Shop › Login",
     u"2.5 steps/s"},
    {"an App without a name", [](AppStatus& a) { a.app.clear(); }, u"Login › OK", u"0.91 / 0.95 · 2.5 steps/s"},
    {"an action seconds ago",
     [](AppStatus& a) {
       a.state = AppRunState::kRunning;
       a.last_action = ActionCode::Clk;
       a.last_action_ms = kNowMs - 3'999;
     },
     u"Shop › Login › OK", u"0.91 / 0.95 · CLK 3 s ago · 2.5 steps/s"},
    {"an action minutes ago",
     [](AppStatus& a) {
       a.last_action = ActionCode::DblClkRe;
       a.last_action_ms = kNowMs - 61'000;
     },
     u"Shop › Login › OK", u"0.91 / 0.95 · DBLCLKRE 1 min ago · 2.5 steps/s"},
    {"an action hours ago",
     [](AppStatus& a) {
       a.last_action = ActionCode::Key;
       a.last_action_ms = kNowMs - 7'200'000;
     },
     u"Shop › Login › OK", u"0.91 / 0.95 · KEY 2 h ago · 2.5 steps/s"},
    {"a fast App", [](AppStatus& a) { a.steps_per_s = 14.6; }, u"Shop › Login › OK", u"0.91 / 0.95 · 15 steps/s"},
    {"no step for a whole window", [](AppStatus& a) { a.last_step_ms = kNowMs - kStepRateWindowMs; },
     u"Shop › Login › OK", u"0.91 / 0.95 · 0.0 steps/s"},
    {"the pause button", [](AppStatus& a) { a.state = AppRunState::kPaused; }, u"Shop › Login › OK",
     u"paused · 0.91 / 0.95 · 2.5 steps/s"},
    {"no signal",
     [](AppStatus& a) {
       a.state = AppRunState::kPaused;
       a.hold = HoldReason::kNoSignal;
     },
     u"Shop › Login › OK", u"paused: no signal · 0.91 / 0.95 · 2.5 steps/s"},
    {"another screen size",
     [](AppStatus& a) {
       a.state = AppRunState::kPaused;
       a.hold = HoldReason::kScreenSize;
     },
     u"Shop › Login › OK", u"paused: screen size · 0.91 / 0.95 · 2.5 steps/s"},
    {"the operator's input",
     [](AppStatus& a) {
       a.state = AppRunState::kPaused;
       a.hold = HoldReason::kOperator;
     },
     u"Shop › Login › OK", u"paused: operator input · 0.91 / 0.95 · 2.5 steps/s"},
    {"stalled", [](AppStatus& a) { a.state = AppRunState::kStalled; }, u"Shop › Login › OK",
     u"stalled · 0.91 / 0.95 · 2.5 steps/s"},
    {"a failure", [](AppStatus& a) { a.state = AppRunState::kError; }, u"Shop › Login › OK",
     u"error · 0.91 / 0.95 · 2.5 steps/s"},
    {"idle", [](AppStatus& a) { a.state = AppRunState::kIdle; }, u"Shop › Login › OK",
     u"idle · 0.91 / 0.95 · 2.5 steps/s"},
    {"a long name", [](AppStatus& a) { a.item = std::u16string(500, u'x'); }, u"Shop › Login › " +
     std::u16string(kStripMaxNameChars, u'x'), u"0.91 / 0.95 · 2.5 steps/s"},
};

TEST(StatusStripText, OneLinePerAppSaysWhatItDid) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    RunnerStatus status{kNowMs, {Shop()}};
    c.change(status.apps[0]);
    const std::vector<StripLine> lines = StatusStripLines(status, SourceStripTexts());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].names, c.names);
    EXPECT_EQ(lines[0].details, c.details);
    EXPECT_EQ(lines[0].state, status.apps[0].state) << "the line has its App's colour";
  }
}

TEST(StatusStripText, TranslationsPlaceTheirOwnWords) {
  StripTexts texts = SourceStripTexts();
  texts[static_cast<size_t>(StripText::kSecondsAgo)] = u"%2초 전 %1";
  RunnerStatus status{kNowMs, {Shop()}};
  status.apps[0].last_action = ActionCode::Clk;
  status.apps[0].last_action_ms = kNowMs - 5'000;
  EXPECT_EQ(StatusStripLines(status, texts)[0].details, u"0.91 / 0.95 · 5초 전 CLK · 2.5 steps/s");
}

// Up to kStripMaxLines Apps get a line each; beyond, the last line counts the rest in the colour
// of the most urgent of them.
TEST(StatusStripText, ManyAppsEndInACountOfTheRest) {
  struct Many {
    std::vector<AppRunState> states;
    std::u16string details_of_last;
    AppRunState last_state;
  };
  using S = AppRunState;
  const Many cases[] = {
      {{S::kRunning, S::kRunning, S::kRunning}, u"0.91 / 0.95 · 2.5 steps/s", S::kRunning},
      {{S::kRunning, S::kRunning, S::kIdle, S::kError}, u"+2 Apps", S::kError},
      {{S::kRunning, S::kRunning, S::kWaitingForMatch, S::kStalled, S::kIdle}, u"+3 Apps", S::kStalled},
      {{S::kRunning, S::kRunning, S::kIdle, S::kIdle}, u"+2 Apps", S::kIdle},
  };
  for (const Many& m : cases) {
    SCOPED_TRACE(m.states.size());
    RunnerStatus status{kNowMs, {}};
    for (const AppRunState state : m.states) {
      status.apps.push_back(Shop());
      status.apps.back().state = state;
    }
    const std::vector<StripLine> lines = StatusStripLines(status, SourceStripTexts());
    ASSERT_EQ(lines.size(), std::min(m.states.size(), kStripMaxLines));
    EXPECT_EQ(lines.back().details, m.details_of_last);
    EXPECT_EQ(lines.back().state, m.last_state);
    EXPECT_EQ(lines.front().names, u"Shop › Login › OK");
  }
  EXPECT_TRUE(StatusStripLines(RunnerStatus{kNowMs, {}}, SourceStripTexts()).empty());
}

}  // namespace
}  // namespace zor
