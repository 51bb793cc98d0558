#pragma once
// The folder where every pane's runs write their logs (kept with QSettings, chosen in the
// Settings dialog); empty: no logs. Read at each start of a device's Apps, so a change counts
// from the next run. GUI thread only.
#include <QSettings>
#include <QString>
#include <string>

namespace zor {

QString StoredRunLogFolder(const QSettings& settings);
void StoreRunLogFolder(QSettings& settings, const QString& folder);
// The stored folder for a pane's controller, in UTF-8; empty for none.
std::string RunLogFolderSetting();

}  // namespace zor
