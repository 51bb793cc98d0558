#pragma once
// What the tests of zorkvm-cli run share: a simulated device of 480 x 270, a folder with its
// config.ini and an App "Cli" of one Scene "Tap" whose Item finds the desktop's OK button, and
// a run in the background whose lines are read as they come.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/AppInfo.h"
#include "model/DeviceListFile.h"
#include "platform/ProgramPath.h"
#include "sim/SimScreen.h"
#include "support/ChildProcess.h"
#include "support/JsonLines.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"
#include "support/Wait.h"

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

// Generous: the simulator restarts and the client reconnects, on a loaded sanitizer build.
inline constexpr int kEventTimeoutMs = 60000;

using Lines = std::vector<nlohmann::json>;

inline size_t IndexOf(const Lines& lines, const std::string& event, size_t from = 0) {
  for (size_t i = from; i < lines.size(); ++i) {
    if (lines[i].is_object() && lines[i].value("event", "") == event) return i;
  }
  return lines.size();
}

// A run in the background whose lines are read as they come.
class BackgroundRun {
 public:
  BackgroundRun(const test::TempDir& dir, const std::vector<std::string>& args)
      : out_(dir.File("out.jsonl")), cli_(Command(args), out_, dir.File("err.txt")) {}

  Lines Read() const { return test::JsonLines(test::ReadFile(out_)); }
  // True once `event` shows after the line at `from`; its index is then in `at`.
  bool WaitFor(const std::string& event, size_t from, size_t& at) {
    return test::WaitUntil(
        [&] {
          const Lines lines = Read();
          at = IndexOf(lines, event, from);
          return at < lines.size();
        },
        kEventTimeoutMs);
  }
  // Interrupts the run; its lines, once it has ended cleanly.
  Lines Finish() {
    const int status = cli_.Stop(SIGINT);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return Read();
  }

 private:
  static std::vector<std::string> Command(std::vector<std::string> args) {
    args.insert(args.begin(), {kCli, "run"});
    return args;
  }
  const std::string out_;
  test::ChildProcess cli_;
};

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
