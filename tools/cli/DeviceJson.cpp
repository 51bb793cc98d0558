#include "DeviceJson.h"

#include <stdexcept>

#include "JsonFields.h"
#include "platform/CodePage.h"

namespace zor::cli {
namespace {

using nlohmann::json;

DeviceInfo DeviceFromJson(const json& j) {
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

}  // namespace

// Field names of DeviceInfo in file order, as JSON keys (Index is not part of the file).
nlohmann::ordered_json DeviceToJson(const DeviceInfo& d) {
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

DeviceList DevicesFromJson(const json& j) {
  if (!j.is_array()) throw std::invalid_argument("the device list must be a JSON array of devices");
  DeviceList devices;
  for (const auto& device : j) devices.push_back(std::make_unique<DeviceInfo>(DeviceFromJson(device)));
  return devices;
}

}  // namespace zor::cli
