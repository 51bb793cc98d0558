#pragma once
// The data folder of one scale run, written with the program's own file writers: config.ini
// with one record per simulated device and, for the "apps" series, the App "Scale" of one Scene
// whose one image Item finds the simulator's OK button.
#include <cstdint>
#include <string>
#include <vector>

namespace zor::bench {

// The simulator's screen, as the scale runs stream it.
inline constexpr int32_t kScaleScreenWidth = 1920;
inline constexpr int32_t kScaleScreenHeight = 1080;
// The full control window's rate (the record's full-size rate) in the "fullcontrol" series.
inline constexpr uint32_t kFullControlFps = 30;

struct ScaleDevice {
  std::string address;
  uint16_t port = 0;
};

// Writes config.ini, and the App and Scene when `with_app`, into `folder` (which has Apps/ and
// Scenes/). `type_id` is the record's device type. False with `error` saying why.
bool WriteScaleDataFolder(const std::string& folder, uint32_t type_id, const std::vector<ScaleDevice>& devices,
                          bool with_app, std::string& error);

}  // namespace zor::bench
