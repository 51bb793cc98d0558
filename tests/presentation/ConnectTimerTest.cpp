// ConnectTimer's rule over panes whose connection never completes (or completes when told).
#include <gtest/gtest.h>

#include <array>

#include "presentation/ConnectTimer.h"

namespace zor {
namespace {

// A pane as the rule sees it: its state and wait, and a record of what the rule did to it.
struct PaneRecord : IConnectTimerPane {
  enum State { Offline = 0, Stop = 1, Streaming = 2, Connecting = 4 };
  State state = Connecting;
  int32_t wait = 0;
  int presses = 0;
  int give_ups = 0;
  bool IsConnecting() const override { return state == Connecting; }
  int32_t ConnectWait() const override { return wait; }
  void TickConnectWait() override { ++wait; }
  void GiveUpConnecting() override {
    ++give_ups;
    if (state != Offline) {
      state = Offline;
      wait = 0;
    }
  }
  void PressConnect() override { ++presses; }
};

TEST(ConnectTimer, PressesOnlyTheFirstConnectingPaneAndRestartsItAfterSixTicks) {
  std::array<PaneRecord, 3> panes;
  const std::array<IConnectTimerPane*, 3> list = {&panes[0], &panes[1], &panes[2]};
  // Tick 1 presses the first pane; ticks 2..7 only count.
  for (int tick = 1; tick <= 7; ++tick) {
    ConnectTimerStep(list);
    EXPECT_EQ(panes[0].presses, 1) << tick;
    EXPECT_EQ(panes[0].wait, tick);
    EXPECT_EQ(panes[1].presses + panes[2].presses, 0) << tick;
  }
  // Seven ticks after the press: given up, Offline, pressed again in the same tick, wait 1.
  ConnectTimerStep(list);
  EXPECT_EQ(panes[0].give_ups, 1);
  EXPECT_EQ(panes[0].state, PaneRecord::Offline);
  EXPECT_EQ(panes[0].presses, 2);
  EXPECT_EQ(panes[0].wait, 1);
  // The first pane has left Connecting: the next tick goes to the second.
  ConnectTimerStep(list);
  EXPECT_EQ(panes[1].presses, 1);
  EXPECT_EQ(panes[2].presses, 0);
}

TEST(ConnectTimer, NextPaneWaitsUntilThePreviousOneStreams) {
  std::array<PaneRecord, 3> panes;
  const std::array<IConnectTimerPane*, 3> list = {&panes[0], &panes[1], &panes[2]};
  for (int i = 0; i < 3; ++i) {
    ConnectTimerStep(list);
    EXPECT_EQ(panes[i].presses, 1);
    ConnectTimerStep(list);  // still connecting: nobody else is pressed
    for (int j = i + 1; j < 3; ++j) EXPECT_EQ(panes[j].presses, 0);
    panes[i].state = PaneRecord::Streaming;
  }
  ConnectTimerStep(list);  // nothing left Connecting
  for (const auto& p : panes) EXPECT_EQ(p.presses, 1);
}

TEST(ConnectTimer, StoppedPanesAreSkipped) {
  std::array<PaneRecord, 2> panes;
  panes[0].state = PaneRecord::Stop;
  const std::array<IConnectTimerPane*, 2> list = {&panes[0], &panes[1]};
  ConnectTimerStep(list);
  EXPECT_EQ(panes[0].presses, 0);
  EXPECT_EQ(panes[1].presses, 1);
}

}  // namespace
}  // namespace zor
