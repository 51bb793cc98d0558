#pragma once
// Where the program keeps config.ini, Apps/ and Scenes/, and why. A program folder that already
// holds them is used as it is (portable); otherwise the operator's choice on the command line, or
// the user's data folder that the desktop names (XDG). The host finds the program folder and the
// user's data home; this only decides and prepares. No Qt here.
#include <filesystem>
#include <string>

namespace zor {

enum class DataFolderSource {
  Portable,  // config.ini, Apps/ or Scenes/ beside the program
  Chosen,    // given on the command line
  UserData,  // <user data home>/zorkvm
};

struct DataFolderChoice {
  std::filesystem::path folder;
  DataFolderSource source = DataFolderSource::Portable;
};

// The name of the program's folder below the user's data home (~/.local/share/zorkvm).
inline constexpr char kUserDataFolderName[] = "zorkvm";

// True when `folder` holds a config.ini, an Apps folder or a Scenes folder.
bool HoldsProgramData(const std::filesystem::path& folder);

// A folder chosen on the command line wins; then a program folder that holds program data; then
// `user_data_home`/zorkvm. `chosen` is empty when none was given; a relative one is made absolute.
DataFolderChoice ChooseDataFolder(const std::filesystem::path& program_folder, const std::filesystem::path& chosen,
                                  const std::filesystem::path& user_data_home);

// Makes a chosen or user data folder ready: creates it with its Apps and Scenes folders when
// missing. A portable folder is used as it is, so nothing is created beside the program.
// Empty on success, else why the folder cannot be used.
std::string PrepareDataFolder(const DataFolderChoice& choice);

}  // namespace zor
