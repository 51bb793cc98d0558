#include "presentation/PaneCommand.h"

#include <array>

namespace zor {
namespace {

struct CommandSource {
  int32_t id;
  int32_t code;
  PaneCommand command;
};

constexpr std::array<CommandSource, 7> kCommandSources = {{
    {kButtonAutomation, kNotifyClick, PaneCommand::ToggleAutomation},
    {kButtonPause, kNotifyClick, PaneCommand::TogglePause},
    {kButtonConnect, kNotifyClick, PaneCommand::ToggleConnection},
    {kButtonDelete, kNotifyDoubleClick, PaneCommand::DeleteDevice},
    {kButtonEdit, kNotifyDoubleClick, PaneCommand::EditDevice},
    {kButtonEditor, kNotifyDoubleClick, PaneCommand::OpenSceneEditor},
    {kThumbnailCommand, kNotifyDoubleClick, PaneCommand::OpenFullControl},
}};

}  // namespace

std::optional<PaneCommand> PaneCommandOf(int32_t id, int32_t code) {
  for (const CommandSource& source : kCommandSources) {
    if (source.id == id && source.code == code) return source.command;
  }
  return std::nullopt;
}

int32_t ButtonIdOf(PaneCommand command) {
  for (const CommandSource& source : kCommandSources) {
    if (source.command == command) return source.id;
  }
  return 0;
}

}  // namespace zor
