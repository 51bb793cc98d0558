#include "gui/window/StartFolder.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>

#include "model/AppConfig.h"
#include "model/DataFolder.h"
#include "platform/Diag.h"
#include "platform/ProgramPath.h"
#include "presentation/SettingsRows.h"

namespace zor {

bool UseStartDataFolder(const QString& chosen_folder) {
  // GenericDataLocation is $XDG_DATA_HOME, or ~/.local/share when that is not set.
  const QString user_data_home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const DataFolderChoice choice =
      ChooseDataFolder(QCoreApplication::applicationDirPath().toStdString(), chosen_folder.toStdString(),
                       user_data_home.toStdString());
  const std::string failure = PrepareDataFolder(choice);
  if (!failure.empty()) {
    // Standard error keeps one language, for whoever reads or searches the log.
    std::fprintf(stderr, "zorkvm: Cannot use the data folder: %s\n", failure.c_str());
    // Nobody could answer a message box on the offscreen platform: standard error must do.
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
      QMessageBox::critical(nullptr, QStringLiteral("zorkvm"),
                            QCoreApplication::translate("StartFolder", "Cannot use the data folder: %1")
                                .arg(QString::fromStdString(failure)));
    }
    return false;
  }
  AppConfig::Instance().UseDataFolder(WidePath(choice.folder.string()), choice.source);
  diag::Write("ui", "data folder: " + choice.folder.string() + " (" + DataFolderReason(choice.source) + ")");
  return true;
}

}  // namespace zor
