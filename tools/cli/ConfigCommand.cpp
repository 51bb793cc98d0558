// zorkvm-cli config dump|write PATH: the device list of a "config.ini" as JSON.
#include <iostream>
#include <nlohmann/json.hpp>

#include "CliCommand.h"
#include "DeviceJson.h"
#include "JsonFields.h"
#include "model/DeviceListFile.h"
#include "platform/ProgramPath.h"
#include "RecordFile.h"

namespace zor::cli {
namespace {

int Dump(const std::string& path) {
  DeviceList devices;
  const LoadResult read = LoadDeviceList(WidePath(path), devices);
  if (read.problem == ReadProblem::ForeignTitle) return Fail("'" + path + "' is not a device list of this program");
  if (!read) return Fail("cannot read '" + path + "': " + read.Reason());
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const auto& d : devices) out.push_back(DeviceToJson(*d));
  std::cout << out.dump(2) << "\n";
  return ReportPartialRead(path, read);
}

int Write(const std::string& path) {
  DeviceList devices;
  try {
    devices = DevicesFromJson(ReadJsonFromStdin());
  } catch (const std::exception& e) {
    return Fail(std::string("malformed device JSON: ") + e.what());
  }
  if (const SaveResult saved = SaveDeviceList(WidePath(path), devices); !saved) {
    return Fail("cannot write '" + path + "': " + saved.failure);
  }
  return 0;
}

int Run(const Args& args) {
  if (args.size() != 2) return UsageError("config takes two arguments: dump|write PATH");
  if (args[0] == "dump") return Dump(args[1]);
  if (args[0] == "write") return Write(args[1]);
  return UsageError("unknown config action '" + args[0] + "'");
}

const CliCommandRegistrar registrar({"config",
                                     "  config dump PATH     print the devices of a config.ini as JSON\n"
                                     "  config write PATH    write a config.ini from a JSON array on standard input",
                                     Run});

}  // namespace
}  // namespace zor::cli
