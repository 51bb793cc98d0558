#pragma once
// What one action of the clients area (start, pause, resume or stop automation) does to a group
// of panes: which panes it reaches, and what each of them is given. The action is idempotent per
// pane: a pane already in the wanted state is left alone instead of being toggled.
#include <cstddef>
#include <optional>
#include <vector>

#include "presentation/PaneCommand.h"

namespace zor {

class PaneController;

enum class GroupAction : uint8_t { Start, Pause, Resume, Stop };

// What a group action reads of one pane, from its buttons.
struct PaneRunState {
  bool running = false;      // the start button shows "stop"
  bool paused = false;       // the pause button shows "resume"
  bool editor_open = false;  // its start button would run the edited Scene, not the Apps
};

// The command that brings one pane where `action` wants it; none when it is there already. A
// group start leaves a pane with the scene editor open alone: there the start button tests the
// edited Scene, which is the operator's work in progress, not the device's Apps.
std::optional<PaneCommand> GroupCommandFor(GroupAction action, const PaneRunState& pane);

// What a group action reads of `pane`'s buttons.
PaneRunState RunStateOf(const PaneController& pane);
// Gives `pane` the command that `action` wants of it, if any (GUI thread).
void ApplyGroupAction(PaneController& pane, GroupAction action);

// The panes a group action reaches, by index: the selected ones when there are any, else all
// `pane_count` of them. Indexes at or past `pane_count` are dropped.
std::vector<size_t> GroupTargets(const std::vector<size_t>& selected, size_t pane_count);

}  // namespace zor
