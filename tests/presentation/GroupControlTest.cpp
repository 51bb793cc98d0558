// Group actions of the clients area without widgets: what each action gives each kind of pane,
// which panes it reaches, the selection as panes are picked and deleted, and the unattended
// start's latch.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "presentation/AutoStart.h"
#include "presentation/GroupControl.h"
#include "presentation/PaneSelection.h"

namespace zor {
namespace {

constexpr PaneRunState kIdle{false, false, false};
constexpr PaneRunState kRunning{true, false, false};
constexpr PaneRunState kPaused{true, true, false};
constexpr PaneRunState kEditing{false, false, true};
constexpr PaneRunState kEditorRunning{true, false, true};

struct GroupCase {
  GroupAction action;
  PaneRunState pane;
  std::optional<PaneCommand> command;
};

TEST(GroupControlTest, EachPaneIsGivenOnlyWhatBringsItThere) {
  constexpr auto kToggleRun = PaneCommand::ToggleAutomation;
  constexpr auto kTogglePause = PaneCommand::TogglePause;
  const GroupCase cases[] = {
      {GroupAction::Start, kIdle, kToggleRun},
      {GroupAction::Start, kRunning, std::nullopt},
      {GroupAction::Start, kPaused, std::nullopt},
      {GroupAction::Start, kEditing, std::nullopt},
      {GroupAction::Stop, kIdle, std::nullopt},
      {GroupAction::Stop, kRunning, kToggleRun},
      {GroupAction::Stop, kPaused, kToggleRun},
      {GroupAction::Stop, kEditorRunning, kToggleRun},
      {GroupAction::Pause, kIdle, std::nullopt},
      {GroupAction::Pause, kRunning, kTogglePause},
      {GroupAction::Pause, kPaused, std::nullopt},
      {GroupAction::Resume, kIdle, std::nullopt},
      {GroupAction::Resume, kRunning, std::nullopt},
      {GroupAction::Resume, kPaused, kTogglePause},
  };
  for (const GroupCase& c : cases) {
    EXPECT_EQ(GroupCommandFor(c.action, c.pane), c.command)
        << "action " << static_cast<int>(c.action) << ", running " << c.pane.running << ", paused " << c.pane.paused
        << ", editor " << c.pane.editor_open;
  }
}

TEST(GroupControlTest, ASelectionNarrowsTheTargetsElseAllPanes) {
  struct Case {
    std::vector<size_t> selected;
    size_t pane_count;
    std::vector<size_t> targets;
  };
  const Case cases[] = {
      {{}, 3, {0, 1, 2}},
      {{1}, 3, {1}},
      {{0, 2}, 3, {0, 2}},
      {{5}, 3, {0, 1, 2}},  // only a stale index: as if nothing were selected
      {{1, 7}, 3, {1}},
      {{}, 0, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(GroupTargets(c.selected, c.pane_count), c.targets);
}

TEST(PaneSelectionTest, CtrlClickTogglesAndABandReplacesOrAdds) {
  PaneSelection selection;
  selection.Toggle(2);
  selection.Toggle(0);
  EXPECT_EQ(selection.Indexes(), (std::vector<size_t>{0, 2}));
  selection.Toggle(2);
  EXPECT_EQ(selection.Indexes(), (std::vector<size_t>{0}));
  selection.Pick({3, 4}, /*add=*/true);
  EXPECT_EQ(selection.Indexes(), (std::vector<size_t>{0, 3, 4}));
  selection.Pick({1}, /*add=*/false);
  EXPECT_EQ(selection.Indexes(), (std::vector<size_t>{1}));
  selection.Clear();
  EXPECT_TRUE(selection.Empty());
}

TEST(PaneSelectionTest, ADeletedPaneLeavesAndTheOnesAfterItMoveUp) {
  struct Case {
    std::vector<size_t> picked;
    size_t removed;
    std::vector<size_t> after;
  };
  const Case cases[] = {
      {{0, 2, 3}, 2, {0, 2}},
      {{0, 2, 3}, 1, {0, 1, 2}},
      {{0, 2, 3}, 5, {0, 2, 3}},
      {{0}, 0, {}},
  };
  for (const Case& c : cases) {
    PaneSelection selection;
    selection.Pick(c.picked, false);
    selection.Removed(c.removed);
    EXPECT_EQ(selection.Indexes(), c.after) << "removed " << c.removed;
  }
}

TEST(AutoStartLatchTest, StartsOnceWhenWantedAndStreaming) {
  struct Step {
    bool wanted;
    ConnectionState state;
    bool running;
    bool due;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"starts at the first picture, then never again",
       {{true, ConnectionState::Connecting, false, false},
        {true, ConnectionState::Streaming, false, true},
        {true, ConnectionState::Offline, false, false},
        {true, ConnectionState::Streaming, false, false}}},
      {"not wanted: nothing, until it is",
       {{false, ConnectionState::Streaming, false, false}, {true, ConnectionState::Streaming, false, true}}},
      {"started by hand: used up",
       {{true, ConnectionState::Streaming, true, false}, {true, ConnectionState::Streaming, false, false}}},
      {"an error is no picture",
       {{true, ConnectionState::Error, false, false}, {true, ConnectionState::Stop, false, false}}},
  };
  for (const Case& c : cases) {
    AutoStartLatch latch;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      EXPECT_EQ(latch.Due(s.wanted, s.state, s.running), s.due) << c.name << ", step " << i;
    }
  }
}

}  // namespace
}  // namespace zor
