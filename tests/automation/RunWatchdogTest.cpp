// The run's watchdog as plain logic on a given clock: which holds the pictures and their absence
// cause, which end them, and that every change is heard once and in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/RunWatchdog.h"

namespace zor {
namespace {

constexpr WatchdogSettings kSettings{10'000, 0, 640, 480};

// One thing that happens to the watchdog at a time: a picture of a size, a tick, or the
// operator's input.
struct Event {
  int64_t at_ms;
  uint32_t width = 0;  // 0: a tick or input, not a picture
  uint32_t height = 0;
  bool operator_input = false;
};

Event Input(int64_t at_ms) { return {at_ms, 0, 0, true}; }

struct HoldCase {
  const char* name;
  WatchdogSettings settings;
  std::vector<Event> events;
  std::vector<std::string> heard;  // each change of hold: its reason, or "go on"
};

TEST(RunWatchdog, PicturesAndTheirAbsenceHoldAndFreeTheRun) {
  const std::vector<HoldCase> cases = {
      {"pictures of the record's size", kSettings, {{1000, 640, 480}, {9000}, {10'999}, {12'000, 640, 480}}, {}},
      {"no picture for the no-signal time, then one",
       kSettings,
       {{1000, 640, 480}, {10'999}, {11'000}, {15'000}, {20'000, 640, 480}},
       {"no_signal", "go on"}},
      {"no picture at all after the start", kSettings, {{10'000}}, {"no_signal"}},
      {"another size, then the record's", kSettings, {{100, 800, 600}, {200, 800, 600}, {300, 640, 480}},
       {"screen_size", "go on"}},
      {"a picture of another size ends no signal with its own hold",
       kSettings,
       {{10'000}, {10'500, 800, 600}, {10'600, 640, 480}},
       {"no_signal", "screen_size", "go on"}},
      {"another size, then silence", kSettings, {{100, 800, 600}, {10'100}}, {"screen_size", "no_signal"}},
      {"no-signal time 0 is off", {0, 0, 640, 480}, {{1'000'000}}, {}},
      {"size 0 by 0 is not checked", {10'000, 0, 0, 0}, {{100, 800, 600}, {200, 1, 1}}, {}},
      {"the operator's input, then quiet until a tick",
       kSettings,
       {Input(1000), {3000, 640, 480}, Input(4000), {8999, 640, 480}, {9000}},
       {"operator", "go on"}},
      {"a picture after the quiet time ends the operator's hold", kSettings, {Input(0), {5000, 640, 480}},
       {"operator", "go on"}},
      {"no signal shows over the operator's hold and leaves it behind",
       kSettings,
       {Input(9000), {10'000}, {12'000, 640, 480}, {13'999}, {14'000}},
       {"operator", "no_signal", "operator", "go on"}},
      {"the operator's hold outlasts a screen size hold", kSettings,
       {{100, 800, 600}, Input(200), {4000, 640, 480}, {5200}},
       {"screen_size", "operator", "go on"}},
  };
  for (const HoldCase& c : cases) {
    SCOPED_TRACE(c.name);
    RunWatchdog watchdog;
    std::vector<std::string> heard;
    watchdog.SetListener([&](HoldReason hold) { heard.push_back(hold == HoldReason::kNone ? "go on" : HoldReasonName(hold)); });
    watchdog.Start(c.settings, 0);
    for (const Event& e : c.events) {
      if (e.operator_input) {
        watchdog.OnOperatorInput(e.at_ms);
      } else if (e.width == 0) {
        watchdog.OnTick(e.at_ms);
      } else {
        watchdog.OnFrame(e.at_ms, e.width, e.height);
      }
    }
    EXPECT_EQ(heard, c.heard);
  }
}

TEST(RunWatchdog, TheNextTickIsTheNoSignalDeadlineUntilItHolds) {
  RunWatchdog watchdog;
  watchdog.Start(kSettings, 0);
  EXPECT_EQ(watchdog.NextTickMs(), 10'000);
  watchdog.OnFrame(3000, 640, 480);
  EXPECT_EQ(watchdog.NextTickMs(), 13'000);
  watchdog.OnTick(13'000);
  ASSERT_EQ(watchdog.Hold(), HoldReason::kNoSignal);
  EXPECT_EQ(watchdog.NextTickMs(), kNoDeadlineMs);  // only a picture changes anything now
  watchdog.OnFrame(20'000, 640, 480);
  EXPECT_EQ(watchdog.LastResumeMs(), 20'000);
  // A new run forgets the old one's hold.
  watchdog.OnTick(40'000);
  watchdog.Start(kSettings, 50'000);
  EXPECT_EQ(watchdog.Hold(), HoldReason::kNone);
  EXPECT_EQ(watchdog.NextTickMs(), 60'000);
}

TEST(RunWatchdog, TheNextTickIsTheEndOfTheOperatorsHoldWhenThatComesFirst) {
  RunWatchdog watchdog;
  watchdog.Start(kSettings, 0);
  EXPECT_TRUE(watchdog.OnOperatorInput(1000));  // the hold begins
  EXPECT_EQ(watchdog.NextTickMs(), 1000 + kOperatorQuietMs);
  EXPECT_FALSE(watchdog.OnOperatorInput(2000));  // it goes on, later
  EXPECT_EQ(watchdog.NextTickMs(), 2000 + kOperatorQuietMs);
  watchdog.OnTick(2000 + kOperatorQuietMs);
  EXPECT_EQ(watchdog.Hold(), HoldReason::kNone);
  EXPECT_EQ(watchdog.LastResumeMs(), 2000 + kOperatorQuietMs);  // the held time is no stall
  EXPECT_EQ(watchdog.NextTickMs(), 10'000);
  // A new run forgets the operator's hold.
  watchdog.OnOperatorInput(20'000);
  watchdog.Start(kSettings, 21'000);
  EXPECT_EQ(watchdog.Hold(), HoldReason::kNone);
  EXPECT_EQ(watchdog.NextTickMs(), 31'000);
}

TEST(StallWatch, FlagsOnceAfterTheStallTimeFromTheLastRestartOrResumption) {
  StallWatch stall;
  stall.Restart(0);
  EXPECT_FALSE(stall.Check(59'999, 0, 60'000));
  EXPECT_TRUE(stall.Check(60'000, 0, 60'000));
  EXPECT_EQ(stall.SecondsSince(61'000), 61);
  EXPECT_FALSE(stall.Check(120'000, 0, 60'000));  // once per stall
  stall.Restart(200'000);                          // a match or a new Scene
  EXPECT_FALSE(stall.Check(230'000, 0, 60'000));
  // A resumption after a hold counts as a new start: the held time is no stall.
  EXPECT_FALSE(stall.Check(280'000, 250'000, 60'000));
  EXPECT_TRUE(stall.Check(310'000, 250'000, 60'000));
  stall.Restart(0);
  EXPECT_FALSE(stall.Check(1'000'000, 0, 0));  // stall time 0 is off
}

}  // namespace
}  // namespace zor
