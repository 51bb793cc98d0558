#pragma once
// One configured KVM device: how to reach it, how to log in, how to stream it, which Apps run on it.
#include <cstdint>
#include <string>
#include <vector>

namespace zor {

// Where a new device points until the operator types its address.
inline constexpr char16_t kDefaultConnectIP[] = u"192.168.0.100";

struct DeviceInfo {
  uint32_t Index = 0;  // position in the device list; never stored in the file
  std::u16string Name;
  uint32_t Type = 0;  // row of AppConfig::DeviceTypes: 0 software agent, 1 Tessel device
  uint32_t ScreenWidth = 1920;
  uint32_t ScreenHeight = 1080;
  uint32_t Reserved = 0;
  std::u16string ConnectIP = kDefaultConnectIP;
  uint32_t Port = 80;
  uint32_t CtrlPort = 80;
  std::u16string UserId;
  std::u16string UserPassword;
  std::u16string CtrlId;
  std::u16string CtrlPassword;
  uint32_t ThumbQuality = 80;
  uint32_t ThumbFps = 4;
  uint32_t FullQuality = 80;
  uint32_t FullFps = 15;
  std::vector<std::u16string> Apps;

  friend bool operator==(const DeviceInfo&, const DeviceInfo&) = default;
};

}  // namespace zor
