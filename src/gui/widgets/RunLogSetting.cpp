#include "gui/widgets/RunLogSetting.h"

namespace zor {
namespace {

const QString kRunLogFolderKey = QStringLiteral("automation/run_log_folder");

}  // namespace

QString StoredRunLogFolder(const QSettings& settings) {
  // Spaces typed around a path are no part of it; a folder of spaces alone means none.
  return settings.value(kRunLogFolderKey).toString().trimmed();
}

void StoreRunLogFolder(QSettings& settings, const QString& folder) {
  settings.setValue(kRunLogFolderKey, folder.trimmed());
}

std::string RunLogFolderSetting() { return StoredRunLogFolder(QSettings()).toStdString(); }

}  // namespace zor
