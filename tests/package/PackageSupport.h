#pragma once
// Installing the build into a temporary prefix and running programs there as a fresh user
// would: a clean environment with only what each test gives it.
#include <filesystem>
#include <string>
#include <vector>

#include "support/RunProgram.h"

namespace zor::test {

// `cmake --install` of this build into `prefix`; the tool's output when it fails, else empty.
std::string InstallInto(const std::filesystem::path& prefix);

// Runs `program` with only the environment `variables` ("NAME=value"), as `env -i` does.
ProgramResult RunClean(const std::vector<std::string>& variables, const std::string& program,
                       const std::vector<std::string>& args = {});

// The argument vector that starts `program` with only the environment `variables`.
std::vector<std::string> CleanCommand(const std::vector<std::string>& variables, const std::string& program,
                                      const std::vector<std::string>& args = {});

// The names of the entries of `folder`, sorted.
std::vector<std::string> Entries(const std::filesystem::path& folder);

}  // namespace zor::test
