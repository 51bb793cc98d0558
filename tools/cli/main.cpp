// zorkvm-cli: the program's files and devices from the command line, for operators and tests.
#include <algorithm>
#include <iostream>

#include "CliCommand.h"
#include "model/AppConfig.h"
#include "platform/HeapResidency.h"
#include "platform/HeapTrimmer.h"
#include "platform/ProgramVersion.h"

namespace zor::cli {

std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> commands;
  return commands;
}

int Fail(const std::string& message) {
  std::cerr << "zorkvm-cli: " << message << "\n";
  return 1;
}

int UsageError(const std::string& message) {
  std::cerr << "zorkvm-cli: " << message << " (see zorkvm-cli --help)\n";
  return 2;
}

namespace {

void PrintHelp() {
  auto commands = Registry();
  std::sort(commands.begin(), commands.end(), [](auto& a, auto& b) { return a.name < b.name; });
  std::cout << "Usage: zorkvm-cli COMMAND ARGS...\n       zorkvm-cli --version\n\nCommands:\n";
  for (const auto& c : commands) std::cout << c.usage << "\n";
}

}  // namespace
}  // namespace zor::cli

int main(int argc, char* argv[]) {
  using namespace zor::cli;
  // Before any thread exists, as in the GUI program: `run` analyses frames of many devices.
  zor::KeepFreedMemoryResident();
  const zor::HeapTrimmer heap_trimmer;
  zor::AppConfig::Instance().InitResources();
  if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
    PrintHelp();
    return argc < 2 ? 2 : 0;
  }
  if (std::string(argv[1]) == "--version") {
    std::cout << "zorkvm-cli " << zor::kProgramVersion << "\n";
    return 0;
  }
  const std::string name = argv[1];
  for (const auto& command : Registry()) {
    if (command.name == name) return command.run(Args(argv + 2, argv + argc));
  }
  return UsageError("unknown command '" + name + "'");
}
