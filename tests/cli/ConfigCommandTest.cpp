// zorkvm-cli config dump/write: the device list file seen from outside the program.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zor {
namespace {

const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";

TEST(ConfigCliLive, WriteThenDumpRoundTripsWithDefaultsForMissingKeys) {
  test::TempDir dir;
  const std::string path = dir.File("config.ini");
  const auto write = test::RunProgram(kCli, {"config", "write", path},
                                      R"([{"Name":"회의실","ConnectIP":"127.0.0.5","Apps":["출근"]},{"Type":1,"Port":8081}])");
  ASSERT_EQ(write.exit_code, 0) << write.err;
  const auto dump = test::RunProgram(kCli, {"config", "dump", path});
  ASSERT_EQ(dump.exit_code, 0) << dump.err;
  const auto devices = nlohmann::json::parse(dump.out);
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0]["Name"], "회의실");
  EXPECT_EQ(devices[0]["Apps"], nlohmann::json::array({"출근"}));
  EXPECT_EQ(devices[0]["FullFps"], 15);
  EXPECT_FALSE(devices[0].contains("Index"));
  EXPECT_EQ(devices[1]["Type"], 1);
  EXPECT_EQ(devices[1]["Port"], 8081);
  EXPECT_EQ(devices[1]["ConnectIP"], "192.168.0.100");
}

TEST(ConfigCliLive, BadInputFailsClearlyAndKeepsTheFile) {
  test::TempDir dir;
  const std::string path = dir.File("config.ini");
  ASSERT_EQ(test::RunProgram(kCli, {"config", "write", path}, "[]").exit_code, 0);
  const std::string before = test::ReadFile(path);
  for (const char* input : {"{", R"({"Name":"x"})", R"([{"Port":-1}])", R"([{"Name":5}])", R"([7])"}) {
    const auto r = test::RunProgram(kCli, {"config", "write", path}, input);
    EXPECT_NE(r.exit_code, 0) << input;
    EXPECT_NE(r.err.find("zorkvm-cli:"), std::string::npos) << input;
  }
  EXPECT_EQ(test::ReadFile(path), before);

  EXPECT_NE(test::RunProgram(kCli, {"config", "dump", dir.File("missing.ini")}).exit_code, 0);
  test::WriteFile(dir.File("foreign.ini"), std::string("\x05\0\0\0OTHER", 9));
  const auto foreign = test::RunProgram(kCli, {"config", "dump", dir.File("foreign.ini")});
  EXPECT_NE(foreign.exit_code, 0);
  EXPECT_NE(foreign.err.find("not a device list"), std::string::npos);
  EXPECT_EQ(test::RunProgram(kCli, {"config", "frobnicate", path}).exit_code, 2);
}

}  // namespace
}  // namespace zor
