#include "model/DataFolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "model/DeviceListFile.h"

namespace zor {
namespace fs = std::filesystem;

bool HoldsProgramData(const fs::path& folder) {
  std::error_code ec;
  return fs::exists(folder / kConfigFileName, ec) || fs::is_directory(folder / "Apps", ec) ||
         fs::is_directory(folder / "Scenes", ec);
}

DataFolderChoice ChooseDataFolder(const fs::path& program_folder, const fs::path& chosen, const fs::path& user_data_home) {
  if (!chosen.empty()) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(chosen, ec);
    return {ec ? chosen : absolute, DataFolderSource::Chosen};
  }
  if (!program_folder.empty() && HoldsProgramData(program_folder)) return {program_folder, DataFolderSource::Portable};
  return {user_data_home.empty() ? fs::path{} : user_data_home / kUserDataFolderName, DataFolderSource::UserData};
}

std::string PrepareDataFolder(const DataFolderChoice& choice) {
  if (choice.folder.empty()) return "no folder for the user's data is known (HOME is not set)";
  if (choice.source == DataFolderSource::Portable) return {};
  for (const fs::path& folder : {choice.folder, choice.folder / "Apps", choice.folder / "Scenes"}) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return "cannot create " + folder.string() + ": " + ec.message();
    if (!fs::is_directory(folder, ec)) return folder.string() + " is not a folder";
  }
  // Checked now rather than at the first save, which would lose that edit.
  if (access(choice.folder.c_str(), W_OK) != 0) return "cannot write to " + choice.folder.string() + ": " + std::strerror(errno);
  return {};
}

}  // namespace zor
