#pragma once
// What the tests of zorkvm-cli run share: a simulated device of 480 x 270, and a folder with its
// config.ini and an App "Cli" of one Scene "Tap" whose Item finds the desktop's OK button.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/AppInfo.h"
#include "model/DeviceListFile.h"
#include "platform/ProgramPath.h"
#include "sim/SimScreen.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace zor {

inline constexpr char kAddress[] = "127.0.0.36";
inline constexpr int32_t kWidth = 480;
inline constexpr int32_t kHeight = 270;
inline const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";

inline std::vector<std::string> EventNames(const std::vector<nlohmann::json>& lines) {
  std::vector<std::string> names;
  for (const auto& j : lines) {
    const std::string name = j.is_object() ? j.value("event", "") : "?";
    if (names.empty() || names.back() != name) names.push_back(name);
  }
  return names;
}

class RunCommandLive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim_.Ready());
    std::filesystem::create_directory(dir_.File("Apps"));
    std::filesystem::create_directory(dir_.File("Scenes"));
    WriteAutomation(u"action CLK\nfinal");
    WriteConfig(sim_.Port());
  }

  // The record's screen size is the simulator's unless given.
  void WriteConfig(uint16_t port, uint32_t screen_width = kWidth, uint32_t screen_height = kHeight) {
    DeviceList devices;
    auto device = std::make_unique<DeviceInfo>();
    device->ConnectIP = u"127.0.0.36";
    device->Port = port;
    device->ScreenWidth = screen_width;
    device->ScreenHeight = screen_height;
    device->Apps = {u"Cli"};
    devices.push_back(std::move(device));
    ASSERT_TRUE(SaveDeviceList(WidePath(config_), devices));
  }

  // An App of one Scene whose Item clicks the simulated desktop's OK button with `script`.
  // The default threshold allows for the device's pictures being JPEG while the template is the
  // raw render.
  void WriteAutomation(const std::u16string& script, float threshold = 0.8f, int32_t engine_type = kEngineImage) {
    SimScreen screen(kWidth, kHeight);
    std::vector<uint8_t> bgra;
    screen.Render(bgra);
    const SimRect ok = screen.Layout().ok_button;
    auto item = std::make_shared<Item>();
    item->Name = u"ok";
    item->Script = script;
    item->Threshold = threshold;
    item->AnalysisType = engine_type;
    item->Template.Width = ok.w;
    item->Template.Height = ok.h;
    for (int32_t y = ok.y; y < ok.y + ok.h; ++y) {
      const auto row = bgra.begin() + (static_cast<ptrdiff_t>(y) * kWidth + ok.x) * 4;
      item->Template.Pixels.insert(item->Template.Pixels.end(), row, row + ok.w * 4);
    }
    WriteAppOfOneItem(item);
    ok_centre_ = {ok.CenterX(), ok.CenterY()};
  }

  // App "Cli" of one Scene "Tap" holding `item`.
  void WriteAppOfOneItem(std::shared_ptr<Item> item) {
    SceneData scene;
    scene.Name = u"Tap";
    scene.Items = {std::move(item)};
    ASSERT_TRUE(scene.SaveToPath(WidePath(dir_.File("Scenes/Tap.scene"))));
    AppInfo app;
    app.Name = u"Cli";
    app.Scenes = {u"Tap"};
    ASSERT_TRUE(app.SaveToPath(WidePath(dir_.File("Apps/Cli.app"))));
  }

  test::SimProcess sim_{{kAddress, 0, {"--size", "480x270"}, {}}};
  test::TempDir dir_;
  const std::string config_ = dir_.File("config.ini");
  std::pair<int32_t, int32_t> ok_centre_;
};

}  // namespace zor
