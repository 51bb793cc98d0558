#pragma once
// zorkvm-cli's commands. Each command file registers itself with a static CliCommandRegistrar,
// so a new command is one new file: zorkvm-cli <name> <args...> runs it.
#include <functional>
#include <string>
#include <vector>

namespace zor::cli {

using Args = std::vector<std::string>;

struct CliCommand {
  std::string name;     // first word on the command line
  std::string usage;    // lines shown by --help, each starting with the name
  std::function<int(const Args& args)> run;  // args after the name; returns the exit code
};

std::vector<CliCommand>& Registry();

struct CliCommandRegistrar {
  explicit CliCommandRegistrar(CliCommand command) { Registry().push_back(std::move(command)); }
};

// Prints "zorkvm-cli: <message>" to standard error and returns exit code 2 (usage) or 1 (failure).
int Fail(const std::string& message);
int UsageError(const std::string& message);

}  // namespace zor::cli
