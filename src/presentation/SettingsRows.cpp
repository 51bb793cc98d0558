#include "presentation/SettingsRows.h"

namespace zor {

std::string DataFolderReason(DataFolderSource source) {
  switch (source) {
    case DataFolderSource::Portable:
      return "portable: the program's own folder holds config.ini, Apps or Scenes";
    case DataFolderSource::Chosen: return "chosen with --data";
    case DataFolderSource::UserData:
      return "the user's data folder ($XDG_DATA_HOME/zorkvm): no config.ini, Apps or Scenes beside the program";
  }
  return {};
}

std::vector<SettingsRow> SettingsRows(const AppConfig& config) {
  return {{"Data folder", config.BaseDir, DataFolderReason(config.FolderSource)}};
}

}  // namespace zor
