// zorkvm-cli config dump|write PATH: the device list of a "config.ini" as JSON.
#include <cstdint>
#include <iostream>
#include <nlohmann/json.hpp>

#include "CliCommand.h"
#include "JsonFields.h"
#include "platform/CodePage.h"
#include "shell/DeviceListFile.h"
#include "platform/FileIO.h"
#include "platform/ProgramPath.h"

namespace zor::cli {
namespace {

using nlohmann::json;

// Field names of DeviceInfo in file order, as JSON keys (Index is not part of the file).
nlohmann::ordered_json ToJson(const DeviceInfo& d) {
  nlohmann::ordered_json apps = nlohmann::ordered_json::array();
  for (const auto& a : d.Apps) apps.push_back(ToUtf8(a));
  return nlohmann::ordered_json{{"Name", ToUtf8(d.Name)},
              {"Type", d.Type},
              {"ScreenWidth", d.ScreenWidth},
              {"ScreenHeight", d.ScreenHeight},
              {"Reserved", d.Reserved},
              {"ConnectIP", ToUtf8(d.ConnectIP)},
              {"Port", d.Port},
              {"CtrlPort", d.CtrlPort},
              {"UserId", ToUtf8(d.UserId)},
              {"UserPassword", ToUtf8(d.UserPassword)},
              {"CtrlId", ToUtf8(d.CtrlId)},
              {"CtrlPassword", ToUtf8(d.CtrlPassword)},
              {"ThumbQuality", d.ThumbQuality},
              {"ThumbFps", d.ThumbFps},
              {"FullQuality", d.FullQuality},
              {"FullFps", d.FullFps},
              {"Apps", apps}};
}

DeviceInfo FromJson(const json& j) {
  if (!j.is_object()) throw std::invalid_argument("each device must be a JSON object");
  DeviceInfo d;
  Take(j, "Name", d.Name);
  Take(j, "Type", d.Type);
  Take(j, "ScreenWidth", d.ScreenWidth);
  Take(j, "ScreenHeight", d.ScreenHeight);
  Take(j, "Reserved", d.Reserved);
  Take(j, "ConnectIP", d.ConnectIP);
  Take(j, "Port", d.Port);
  Take(j, "CtrlPort", d.CtrlPort);
  Take(j, "UserId", d.UserId);
  Take(j, "UserPassword", d.UserPassword);
  Take(j, "CtrlId", d.CtrlId);
  Take(j, "CtrlPassword", d.CtrlPassword);
  Take(j, "ThumbQuality", d.ThumbQuality);
  Take(j, "ThumbFps", d.ThumbFps);
  Take(j, "FullQuality", d.FullQuality);
  Take(j, "FullFps", d.FullFps);
  if (j.contains("Apps")) {
    for (const auto& a : j.at("Apps")) d.Apps.push_back(FromUtf8(a.get<std::string>()));
  }
  return d;
}

int Dump(const std::string& path) {
  if (!ReadWholeFile(path, kMaxConfigFileBytes)) return Fail("cannot read '" + path + "'");
  DeviceList devices;
  if (!LoadDeviceList(WidePath(path), devices)) return Fail("'" + path + "' is not a device list of this program");
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const auto& d : devices) out.push_back(ToJson(*d));
  std::cout << out.dump(2) << "\n";
  return 0;
}

int Write(const std::string& path) {
  DeviceList devices;
  try {
    const json in = ReadJsonFromStdin();
    if (!in.is_array()) return Fail("standard input must be a JSON array of devices");
    for (const auto& j : in) devices.push_back(std::make_unique<DeviceInfo>(FromJson(j)));
  } catch (const std::exception& e) {
    return Fail(std::string("malformed device JSON: ") + e.what());
  }
  if (!SaveDeviceList(WidePath(path), devices)) return Fail("cannot write '" + path + "'");
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
