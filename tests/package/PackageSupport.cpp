#include "package/PackageSupport.h"

#include <algorithm>
#include <system_error>

namespace zor::test {

std::string InstallInto(const std::filesystem::path& prefix) {
  const ProgramResult r = RunProgram(ZORKVM_CMAKE, {"--install", ZORKVM_BUILD_DIR, "--prefix", prefix.string()});
  return r.exit_code == 0 ? std::string{} : r.out + r.err;
}

std::vector<std::string> CleanCommand(const std::vector<std::string>& variables, const std::string& program,
                                      const std::vector<std::string>& args) {
  std::vector<std::string> command{"/usr/bin/env", "-i"};
  command.insert(command.end(), variables.begin(), variables.end());
  command.push_back(program);
  command.insert(command.end(), args.begin(), args.end());
  return command;
}

ProgramResult RunClean(const std::vector<std::string>& variables, const std::string& program,
                       const std::vector<std::string>& args) {
  const std::vector<std::string> command = CleanCommand(variables, program, args);
  return RunProgram(command.front(), std::vector<std::string>(command.begin() + 1, command.end()));
}

std::vector<std::string> Entries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zor::test
