// zorkvm-cli input against a simulated hardware device: the actions arrive as the device's
// reports, in order, and the program exits once they are sent.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/DeviceListFile.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/TesselSim.h"

namespace zor {
namespace {

constexpr int kExitTimeoutMs = 30000;

// Runs zorkvm-cli with `args` and returns its exit code (-1 when it did not end in time).
int RunCli(const std::vector<std::string>& args, const std::string& stderr_path) {
  std::vector<std::string> argv{ZORKVM_TOOLS_DIR "/zorkvm-cli"};
  argv.insert(argv.end(), args.begin(), args.end());
  test::ChildProcess cli(argv, "", stderr_path);
  return cli.WaitExit(kExitTimeoutMs);
}

std::string WriteConfig(const test::TempDir& dir, const DeviceInfo& device) {
  DeviceList devices;
  devices.push_back(std::make_unique<DeviceInfo>(device));
  const std::string path = dir.File("config.ini");
  EXPECT_TRUE(SaveDeviceList(std::u16string(path.begin(), path.end()), devices));
  return path;
}

TEST(InputCommand, SendsEveryActionInOrderThroughTheDriver) {
  test::TesselSim sim;
  ASSERT_TRUE(sim.Ready());
  test::TempDir dir;
  const std::string config = WriteConfig(dir, sim.Device());
  ASSERT_EQ(RunCli({"input", "--config", config, "--device", "0", "click", "left", "960", "540", "type",
                    "\xEA\xB0\x80 a", "key", "0x04", "2", "wheel", "down", "hangul"},
                   dir.File("stderr.txt")),
            0);
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

TEST(InputCommand, RefusesBadCommandLinesAndMissingDevices) {
  test::TempDir dir;
  DeviceInfo device;
  device.Type = 1;
  const std::string config = WriteConfig(dir, device);
  const std::string err = dir.File("stderr.txt");
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
    EXPECT_EQ(RunCli(c.args, err), c.exit_code) << line;
  }
}

}  // namespace
}  // namespace zor
