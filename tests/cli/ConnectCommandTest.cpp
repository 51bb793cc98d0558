// zorkvm-cli connect against zorkvm-sim, both as child processes, as an operator would run them.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <opencv2/imgcodecs.hpp>

#include "model/DeviceListFile.h"
#include "platform/ProgramPath.h"
#include "support/ChildProcess.h"
#include "support/RefusingPort.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace zor {
namespace {

constexpr char kAddress[] = "127.0.0.35";

struct CliRun {
  int exit_code = -1;
  std::vector<nlohmann::json> frames;
  nlohmann::json summary;
  std::string errors;  // standard error
};

class ConnectCommandLive : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sim_.Ready()); }

  std::string WriteConfig(uint32_t type) { return WriteConfig(type, sim_.Port()); }
  std::string WriteConfig(uint32_t type, uint16_t port) {
    DeviceList devices;
    auto device = std::make_unique<DeviceInfo>();
    device->Type = type;
    device->ConnectIP = u"127.0.0.35";
    device->Port = port;
    device->ScreenWidth = 480;
    device->ScreenHeight = 270;
    devices.push_back(std::move(device));
    const std::string path = dir_.File("config.ini");
    EXPECT_TRUE(SaveDeviceList(WidePath(path), devices));
    return path;
  }

  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), ZORKVM_TOOLS_DIR "/zorkvm-cli");
    const std::string out = dir_.File("out" + std::to_string(++runs_) + ".jsonl");
    const std::string err = dir_.File("err" + std::to_string(runs_) + ".txt");
    CliRun run;
    {
      test::ChildProcess cli(args, out, err);
      run.exit_code = cli.WaitExit(60000);
    }
    run.errors = test::ReadFile(err);
    std::ifstream in(out);
    std::string line;
    while (std::getline(in, line)) {
      auto j = nlohmann::json::parse(line, nullptr, false);
      if (j.contains("frames")) run.summary = j;
      if (j.contains("width")) run.frames.push_back(j);
    }
    return run;
  }

  test::SimProcess sim_{{kAddress, 0, {"--size", "480x270"}, {}}};
  test::TempDir dir_;
  int runs_ = 0;
};

TEST_F(ConnectCommandLive, ReportsEveryFrameAndSavesTheLastAsPng) {
  const std::string config = WriteConfig(0);
  const std::string png = dir_.File("last.png");
  const CliRun run = Run({"connect", "--config", config, "--device", "0", "--seconds", "3", "--save-frame", png});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_FALSE(run.summary.contains("error"));
  ASSERT_FALSE(run.frames.empty());
  EXPECT_EQ(run.summary["frames"], run.frames.size());
  for (const auto& f : run.frames) {
    EXPECT_EQ(f["width"], 480);
    EXPECT_EQ(f["height"], 270);
  }
  const cv::Mat saved = cv::imread(png, cv::IMREAD_UNCHANGED);
  EXPECT_EQ(saved.cols, 480);
  EXPECT_EQ(saved.rows, 270);
  // It asked for snapshots only, and closed the connection when done.
  const auto texts = sim_.ReceivedTexts();
  ASSERT_FALSE(texts.empty());
  for (const auto& t : texts) EXPECT_EQ(t, R"({"action":"snapshot","quality":60,"type":"SCRCTL"})");
  EXPECT_EQ(sim_.LogLines().back().value("event", ""), "close");
}

TEST_F(ConnectCommandLive, StreamAsksForTheFullControlRateAndStopsItBeforeLeaving) {
  const std::string config = WriteConfig(0);
  const CliRun stream = Run({"connect", "--config", config, "--device", "0", "--seconds", "3", "--stream"});
  EXPECT_EQ(stream.exit_code, 0);
  std::vector<std::string> control;
  for (const auto& t : sim_.ReceivedTexts()) {
    if (t.find("snapshot") == std::string::npos) control.push_back(t);
  }
  const std::vector<std::string> expected = {R"({"action":"stream","fps":15,"quality":70,"type":"SCRCTL"})",
                                             R"({"action":"stop_stream","type":"SCRCTL"})"};
  EXPECT_EQ(control, expected);
}

TEST_F(ConnectCommandLive, SaysWhyNoFrameArrived) {
  const test::RefusingPort refusing(kAddress);
  ASSERT_NE(refusing.Port(), 0);
  test::SimProcess garbage({kAddress, 0, {"--size", "480x270", "--fault", "garbage"}, {}});
  ASSERT_TRUE(garbage.Ready());
  struct Case {
    uint16_t port;
    std::string reason;
  };
  const Case cases[] = {{refusing.Port(), "connection refused"}, {garbage.Port(), "not a JPEG picture"}};
  for (const Case& c : cases) {
    const CliRun run = Run({"connect", "--config", WriteConfig(0, c.port), "--device", "0", "--seconds", "3"});
    EXPECT_EQ(run.exit_code, 1) << c.reason;
    EXPECT_EQ(run.summary["frames"], 0) << c.reason;
    EXPECT_EQ(run.summary.value("error", ""), c.reason);
    EXPECT_NE(run.errors.find("no frame arrived from the device: " + c.reason), std::string::npos) << run.errors;
  }
}

TEST_F(ConnectCommandLive, RefusesBadRequests) {
  const std::string config = WriteConfig(0);
  const std::string unknown_type = dir_.File("unknown.ini");
  WriteConfig(9);
  std::rename(dir_.File("config.ini").c_str(), unknown_type.c_str());
  struct Case {
    std::vector<std::string> args;
    int exit_code;
  };
  const std::vector<Case> cases = {
      {{"connect", "--config", config}, 2},
      {{"connect", "--device", "0"}, 2},
      {{"connect", "--config", config, "--device", "x"}, 2},
      {{"connect", "--config", config, "--device", "0", "--seconds", "0"}, 2},
      {{"connect", "--config", config, "--device", "0", "--seconds", "-1"}, 2},
      {{"connect", "--config", config, "--device", "0", "--bogus", "1"}, 2},
      {{"connect", "--config", dir_.File("missing.ini"), "--device", "0"}, 1},
      {{"connect", "--config", unknown_type, "--device", "1"}, 1},
      {{"connect", "--config", unknown_type, "--device", "0", "--seconds", "0.1"}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args).exit_code, c.exit_code) << nlohmann::json(c.args).dump();
  }
}

}  // namespace
}  // namespace zor
