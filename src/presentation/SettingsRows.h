#pragma once
// What the Settings dialog shows, one row per setting, so that a later setting is one more row.
// Texts are the English source texts; the GUI passes them through its translation.
#include <string>
#include <vector>

#include "model/AppConfig.h"

namespace zor {

struct SettingsRow {
  std::string label;  // what the setting is
  std::u16string value;  // its current value, as the operator would type it
  std::string note;   // why it has this value; empty when there is nothing to say
};

// Why the data folder is the one in use, in a few words ("portable: ...").
std::string DataFolderReason(DataFolderSource source);

// The rows of the Settings dialog for the program's current configuration.
std::vector<SettingsRow> SettingsRows(const AppConfig& config);

}  // namespace zor
