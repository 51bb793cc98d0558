#include "presentation/GroupControl.h"

#include "presentation/PaneController.h"

namespace zor {

std::optional<PaneCommand> GroupCommandFor(GroupAction action, const PaneRunState& pane) {
  switch (action) {
    case GroupAction::Start:
      if (pane.running || pane.editor_open) return std::nullopt;
      return PaneCommand::ToggleAutomation;
    case GroupAction::Stop:
      if (!pane.running) return std::nullopt;
      return PaneCommand::ToggleAutomation;
    case GroupAction::Pause:
      if (!pane.running || pane.paused) return std::nullopt;
      return PaneCommand::TogglePause;
    case GroupAction::Resume:
      if (!pane.running || !pane.paused) return std::nullopt;
      return PaneCommand::TogglePause;
  }
  return std::nullopt;
}

PaneRunState RunStateOf(const PaneController& pane) {
  return {pane.Button(kButtonAutomation).state == 1, pane.Button(kButtonPause).state == 1, pane.EditorOpen()};
}

void ApplyGroupAction(PaneController& pane, GroupAction action) {
  if (const std::optional<PaneCommand> command = GroupCommandFor(action, RunStateOf(pane))) pane.Execute(*command);
}

std::vector<size_t> GroupTargets(const std::vector<size_t>& selected, size_t pane_count) {
  std::vector<size_t> targets;
  for (size_t index : selected) {
    if (index < pane_count) targets.push_back(index);
  }
  if (!targets.empty()) return targets;
  targets.reserve(pane_count);
  for (size_t index = 0; index < pane_count; ++index) targets.push_back(index);
  return targets;
}

}  // namespace zor
