// zorkvm-cli app dump|write PATH: an ".app" file as JSON.
#include <iostream>

#include "AutomationJson.h"
#include "CliCommand.h"
#include "RecordFile.h"

namespace zor::cli {
namespace {

int Dump(const std::string& path) {
  AppInfo app;
  LoadResult read;
  if (const int failed = ReadRecordFile(path, app, read)) return failed;
  std::cout << AppToJson(app).dump(2) << "\n";
  return ReportPartialRead(path, read);
}

int Run(const Args& args) {
  if (args.size() != 2) return UsageError("app takes two arguments: dump|write PATH");
  if (args[0] == "dump") return Dump(args[1]);
  if (args[0] == "write") return WriteRecordFromStdin(args[1], "App", AppFromJson);
  return UsageError("unknown app action '" + args[0] + "'");
}

const CliCommandRegistrar registrar(
    {"app",
     "  app dump PATH        print an .app file as JSON\n"
     "  app write PATH       write an .app file from JSON on standard input",
     Run});

}  // namespace
}  // namespace zor::cli
