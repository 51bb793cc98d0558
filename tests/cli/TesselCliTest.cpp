// zorkvm-cli with a simulated hardware device: input actions arrive as the device's reports, in
// order, and the program exits once they are sent; connect reports the device's frames.
#include <gtest/gtest.h>

#include <sstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "device/TesselLiteDriver.h"
#include "model/DeviceListFile.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "support/TesselSim.h"

namespace zor {
namespace {

constexpr char kCli[] = ZORKVM_TOOLS_DIR "/zorkvm-cli";

std::string WriteConfig(const test::TempDir& dir, const DeviceInfo& device) {
  DeviceList devices;
  devices.push_back(std::make_unique<DeviceInfo>(device));
  const std::string path = dir.File("config.ini");
  EXPECT_TRUE(SaveDeviceList(std::u16string(path.begin(), path.end()), devices));
  return path;
}

TEST(TesselCliLive, InputSendsEveryActionInOrderThroughTheDriver) {
  test::TesselSim sim;
  ASSERT_TRUE(sim.Ready());
  test::TempDir dir;
  const std::string config = WriteConfig(dir, sim.Device());
  const auto run = test::RunProgram(kCli, {"input", "--config", config, "--device", "0", "click", "left", "960",
                                          "540", "type", "\xEA\xB0\x80 a", "key", "0x04", "2", "wheel", "down",
                                          "hangul"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> expected{
      // click
      "mouse 0 16383 16383 0", "mouse 1 16383 16383 0", "mouse 0 16383 16383 0",
      // type: right Alt, r, k, space, right Alt, a
      "key 64 0", "key 0 0", "key 0 21", "key 0 0", "key 0 14", "key 0 0", "key 0 44", "key 0 0", "key 64 0",
      "key 0 0", "key 0 4", "key 0 0",
      // key (Shift+a), wheel, hangul
      "key 2 4", "key 0 0", "mouse 0 16383 16383 -1", "key 64 0", "key 0 0"};
  EXPECT_EQ(sim.WaitForReports(expected.size()), expected);
}

TEST(TesselCliLive, InputRefusesBadCommandLinesAndMissingDevices) {
  test::TempDir dir;
  DeviceInfo device;
  device.Type = 1;
  const std::string config = WriteConfig(dir, device);
  struct Case {
    std::vector<std::string> args;
    int exit_code;
  };
  const Case cases[] = {
      {{"input", "--config", config, "--device", "0"}, 2},                        // no action
      {{"input", "--config", config, "--device", "0", "jump"}, 2},                // unknown action
      {{"input", "--config", config, "--device", "0", "move", "1"}, 2},           // incomplete
      {{"input", "--config", config, "--device", "0", "move", "1", "x"}, 2},      // not a number
      {{"input", "--config", config, "--device", "0", "key", "256", "0"}, 2},     // not a byte
      {{"input", "--config", config, "--device", "0", "click", "mid", "1", "1"}, 2},
      {{"input", "--config", config, "--device", "-1", "hangul"}, 2},
      {{"input", "--config", config, "--device", "1", "hangul"}, 1},              // only one device
      {{"input", "--config", dir.File("missing.ini"), "--device", "0", "hangul"}, 1},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const auto& a : c.args) line += a + " ";
    const auto run = test::RunProgram(kCli, c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << line;
    EXPECT_NE(run.err.find("zorkvm-cli: "), std::string::npos) << line;
  }
}

TEST(TesselCliLive, InputRefusesATextTooLongToTypeAndSaysSo) {
  test::TesselSim sim;
  ASSERT_TRUE(sim.Ready());
  test::TempDir dir;
  const std::string config = WriteConfig(dir, sim.Device());
  const std::string text(TesselLiteDriver::kMaxTypedTextUnits + 1, 'a');
  const auto run = test::RunProgram(kCli, {"input", "--config", config, "--device", "0", "type", text});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("too long to type"), std::string::npos) << run.err;
  // Once the device saw the channel close, whatever was sent has arrived: nothing was.
  EXPECT_EQ(sim.WaitForLines("event", 2).back()["event"], "close");
  EXPECT_TRUE(sim.LinesWith("report").empty());
}

TEST(TesselCliLive, ConnectReportsTheDevicesFrames) {
  test::TesselSim sim({"--size", "480x270", "--fps", "30"});
  ASSERT_TRUE(sim.Ready());
  test::TempDir dir;
  DeviceInfo device = sim.Device(480, 270);
  device.ThumbFps = 4;
  const std::string config = WriteConfig(dir, device);
  const auto run = test::RunProgram(kCli, {"connect", "--config", config, "--device", "0", "--seconds", "2", "--stream"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::istringstream in(run.out);
  std::string line;
  nlohmann::json summary;
  size_t frames = 0;
  while (std::getline(in, line)) {
    const auto j = nlohmann::json::parse(line, nullptr, false);
    if (j.contains("width")) {
      EXPECT_EQ(j["width"], 480);
      EXPECT_EQ(j["height"], 270);
      ++frames;
    }
    if (j.contains("frames")) summary = j;
  }
  // At the full-control rate (15 per second by default) two seconds give far more frames than
  // the thumbnail rate's eight.
  EXPECT_GT(frames, 10u);
  EXPECT_EQ(summary["frames"], frames);
}

}  // namespace
}  // namespace zor
