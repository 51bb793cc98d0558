#pragma once
// The data folder of this run, chosen by the DataFolder rule from the program's own folder, the
// --data option and the desktop's user data folder. GUI thread, at start-up.
#include <QString>

namespace zor {

// Chooses and prepares the data folder and points AppConfig at it. When it cannot be used, says
// why (standard error and a message box) and returns false: the program must not start on a
// folder where nothing it saves would stay.
bool UseStartDataFolder(const QString& chosen_folder);

}  // namespace zor
