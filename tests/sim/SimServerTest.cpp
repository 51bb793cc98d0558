// zorkvm-sim as a process: its command line, several devices, and clients that misbehave.
#include <gtest/gtest.h>

#include <thread>

#include "device/WebSocketClient.h"
#include "support/ChildProcess.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

constexpr char kAddress[] = "127.0.0.36";
constexpr char kSim[] = ZORKVM_TOOLS_DIR "/zorkvm-sim";

int RunSim(std::vector<std::string> args, const test::TempDir& dir) {
  args.insert(args.begin(), kSim);
  test::ChildProcess sim(args, dir.File("out"), dir.File("err"));
  return sim.WaitExit(20000);
}

TEST(SimServerLive, CommandLine) {
  test::TempDir dir;
  struct Case {
    std::vector<std::string> args;
    int exit_code;
  };
  const std::vector<Case> cases = {
      {{"--help"}, 0},
      {{"--print-layout", "--size", "640x360"}, 0},
      {{"--address", "192.168.0.1"}, 2},  // never beyond this machine
      {{"--address", "0.0.0.0"}, 2},
      {{"--port", "70000"}, 2},
      {{"--size", "10x10"}, 2},
      {{"--fps", "0"}, 2},
      {{"--devices", "0"}, 2},
      {{"--type", "other"}, 2},
      {{"--fault", "drop"}, 2},  // drop needs its seconds
      {{"--fault", "7=sleep"}, 2},
      {{"--port"}, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(RunSim(c.args, dir), c.exit_code) << c.args[0];
}

TEST(SimServerLive, ServesSeveralDevicesAndReportsTheirPorts) {
  test::SimProcess sim({kAddress, 0, {"--devices", "3", "--size", "160x90"}, {}});
  ASSERT_TRUE(sim.Ready());
  ASSERT_EQ(sim.Ports().size(), 3u);
  for (uint16_t p : sim.Ports()) EXPECT_TRUE(test::WaitForListening(kAddress, p, 5000)) << p;
}

TEST(SimServerLive, MalformedAndOversizedMessagesEndOnlyThatConnection) {
  test::SimProcess sim({kAddress, 0, {"--size", "160x90"}, {}});
  ASSERT_TRUE(sim.Ready());
  std::atomic<int> binaries{0};
  std::atomic<int> closes{0};
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.36:" + std::to_string(sim.Port()));
  client.SetCallback([&](const WebSocketEvent& e) {
    binaries += e.kind == WebSocketEvent::Kind::Message && e.binary;
    closes += e.kind == WebSocketEvent::Kind::Close;
  });
  client.Start();
  ASSERT_TRUE(WaitUntil([&] { return client.IsOpen(); }));
  for (const char* junk : {"not json", "[1,2]", R"({"type":5,"action":[]})", R"({"type":"SCRCTL","action":"stream","fps":"x"})",
                           R"({"type":"CONTROL","action":"move","x":1e300,"y":null})", R"({"type":"SCRCTL","action":"stop_stream"})"}) {
    EXPECT_TRUE(client.SendText(junk));
  }
  const uint8_t bytes[] = {0x02, 0x01, 0xff};
  EXPECT_TRUE(client.SendBinary(bytes));
  EXPECT_TRUE(client.SendText(R"({"type":"SCRCTL","action":"snapshot","quality":1000})"));
  ASSERT_TRUE(WaitUntil([&] { return binaries.load() >= 1; }));
  // The stream request with a bad rate fell back to the default rate: stop it and check the log.
  ASSERT_TRUE(WaitUntil([&] {
    for (const auto& line : sim.LogLines()) {
      if (line.value("binary", "") == "0201ff") return true;
    }
    return false;
  }));

  EXPECT_TRUE(client.SendText(std::string(100 * 1024, 'x')));  // far beyond any control message
  ASSERT_TRUE(WaitUntil([&] { return closes.load() >= 1; }));
  ASSERT_TRUE(WaitUntil([&] { return client.IsOpen(); }));  // the client reconnects; the simulator lives on
  client.Stop();
}

}  // namespace
}  // namespace zor
