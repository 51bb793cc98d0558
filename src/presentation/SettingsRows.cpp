#include "presentation/SettingsRows.h"

#include "presentation/TranslatableText.h"

namespace zor {

std::string DataFolderReason(DataFolderSource source) {
  switch (source) {
    case DataFolderSource::Portable:
      return QT_TRANSLATE_NOOP("SettingsDialog", "portable: the program's own folder holds config.ini, Apps or Scenes");
    case DataFolderSource::Chosen: return QT_TRANSLATE_NOOP("SettingsDialog", "chosen with --data");
    case DataFolderSource::UserData:
      return QT_TRANSLATE_NOOP("SettingsDialog",
                               "the user's data folder ($XDG_DATA_HOME/zorkvm): no config.ini, Apps or Scenes "
                               "beside the program");
  }
  return {};
}

std::vector<SettingsRow> SettingsRows(const AppConfig& config) {
  return {{QT_TRANSLATE_NOOP("SettingsDialog", "Data folder"), config.BaseDir, DataFolderReason(config.FolderSource)}};
}

}  // namespace zor
