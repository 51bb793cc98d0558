// zorkvm-cli input on a software agent device: what the agent can do arrives; what it cannot do
// (text, key combinations, the input method) fails the command before anything is sent, and the
// message names the device's type.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/DeviceListFile.h"
#include "platform/ProgramPath.h"
#include "support/RecordingOwner.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"
#include "support/Wait.h"

namespace zor {
namespace {

constexpr char kAddress[] = "127.0.0.36";
const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";

class InputCommandLive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim_.Ready());
    DeviceList devices;
    devices.push_back(std::make_unique<DeviceInfo>(test::SoftKvmDevice(u"127.0.0.36", sim_.Port(), 320, 180)));
    ASSERT_TRUE(SaveDeviceList(WidePath(config_), devices));
  }

  test::ProgramResult Input(const std::vector<std::string>& actions) {
    std::vector<std::string> args = {"input", "--config", config_, "--device", "0"};
    args.insert(args.end(), actions.begin(), actions.end());
    return test::RunProgram(kCli, args);
  }

  size_t Connections() const {
    const auto lines = sim_.LogLines();
    return static_cast<size_t>(
        std::count_if(lines.begin(), lines.end(), [](const auto& j) { return j.value("event", "") == "open"; }));
  }

  test::SimProcess sim_{{kAddress, 0, {"--size", "320x180"}, {}}};
  test::TempDir dir_;
  const std::string config_ = dir_.File("config.ini");
};

TEST_F(InputCommandLive, WhatTheAgentCannotDoFailsBeforeAnythingIsSent) {
  struct Case {
    std::vector<std::string> actions;
    const char* cannot;
  };
  const Case cases[] = {
      {{"type", "Hi"}, "cannot type text"},
      {{"key", "0x04", "2"}, "cannot press keys"},
      {{"hangul"}, "cannot switch between Korean and English"},
      // The click it could send goes neither: the command does all or nothing.
      {{"click", "left", "10", "10", "type", "Hi"}, "cannot type text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.actions.front());
    const test::ProgramResult run = Input(c.actions);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find("device 0 is a ZOR SoftKVM device (type 0), which "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.cannot), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing was sent"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
  EXPECT_EQ(Connections(), 0u);
}

TEST_F(InputCommandLive, WhatTheAgentCanDoArrives) {
  const test::ProgramResult run = Input({"click", "left", "10", "20", "wheel", "down"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> expected = {
      R"({"action":"move","type":"CONTROL","x":10,"y":20})", R"({"action":"down","button":"left","type":"CONTROL"})",
      R"({"action":"up","button":"left","type":"CONTROL"})", R"({"action":"wheel","direction":"down","type":"CONTROL"})"};
  std::vector<std::string> input;
  ASSERT_TRUE(test::WaitUntil([&] {
    input.clear();
    for (const std::string& text : sim_.ReceivedTexts()) {
      if (text.find("CONTROL") != std::string::npos) input.push_back(text);
    }
    return input.size() >= expected.size();
  }));
  EXPECT_EQ(input, expected);
}

}  // namespace
}  // namespace zor
