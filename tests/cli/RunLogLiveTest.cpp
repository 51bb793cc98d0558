// zorkvm-cli run --log against zorkvm-sim: a file per device with every printed line and its
// time, pictures of the screen at the first match of each Item and at a pause, a size cap that
// takes the oldest pictures first, and a folder that cannot take the log.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "cli/RunCommandFixture.h"
#include "device/JpegEncoding.h"
#include "presentation/RunLogWriter.h"
#include "support/RunLogFiles.h"
#include "support/RunProgram.h"

namespace zor {
namespace {

// The log's lines without what only the log adds, sorted (the log is written on its own
// thread, so lines of two threads may come in another order than printed).
std::vector<std::string> BareLines(const Lines& lines) {
  std::vector<std::string> bare;
  for (nlohmann::json line : lines) {
    for (const char* key : {"time", "picture", "picture_dropped", "removed_for_cap"}) line.erase(key);
    bare.push_back(line.dump());
  }
  std::sort(bare.begin(), bare.end());
  return bare;
}

class RunLogLive : public RunCommandLive {
 protected:
  const std::string logs_ = dir_.File("logs");
};

TEST_F(RunLogLive, TheLogHoldsEveryPrintedLineWithItsTimeAndTheFirstMatchsPicture) {
  WriteAutomation(u"set cooldown 100");  // matches again and again
  BackgroundRun run(dir_, {"--config", config_, "--log", logs_});
  size_t first = 0, second = 0;
  ASSERT_TRUE(run.WaitFor("match", 0, first)) << test::ReadFile(dir_.File("err.txt"));
  ASSERT_TRUE(run.WaitFor("match", first + 1, second));
  Lines printed = run.Finish();
  ASSERT_EQ(printed.back()["event"], "stopped");  // the command's, not the device's
  printed.pop_back();

  const std::vector<std::string> logs = test::FilesEndingIn(logs_, ".jsonl");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_TRUE(std::regex_match(logs[0], std::regex(R"(device-000-\d{8}T\d{6}\.\d{3}Z\.jsonl)"))) << logs[0];
  const Lines logged = test::OnlyLogLines(logs_);
  EXPECT_EQ(BareLines(logged), BareLines(printed));
  for (const auto& line : logged) EXPECT_TRUE(line.contains("time")) << line;

  const Lines matches = test::LinesOf(logged, "match");
  ASSERT_GE(matches.size(), 2u);
  EXPECT_EQ(test::PictureSize(logs_ + "/" + matches[0].value("picture", "?")),
            std::make_pair(uint32_t{kWidth}, uint32_t{kHeight}));
  for (size_t i = 1; i < matches.size(); ++i) EXPECT_FALSE(matches[i].contains("picture")) << matches[i];
}

TEST_F(RunLogLive, APauseLeavesAPictureOfTheScreenThatCausedIt) {
  WriteConfig(sim_.Port(), kWidth * 2, kHeight * 2);  // the device shows another size
  BackgroundRun run(dir_, {"--config", config_, "--log", logs_});
  size_t paused = 0;
  ASSERT_TRUE(run.WaitFor("paused", 0, paused)) << test::ReadFile(dir_.File("err.txt"));
  run.Finish();
  const Lines pauses = test::LinesOf(test::OnlyLogLines(logs_), "paused");
  ASSERT_EQ(pauses.size(), 1u);
  EXPECT_EQ(pauses[0]["reason"], "screen_size");
  EXPECT_EQ(test::PictureSize(logs_ + "/" + pauses[0].value("picture", "?")),
            std::make_pair(uint32_t{kWidth}, uint32_t{kHeight}));
}

TEST_F(RunLogLive, ASmallCapTakesTheOldestPicturesFirstAndKeepsTheLines) {
  // Four Items that each match once (a negative cooldown never lets one be chosen again): four
  // first matches, four pictures, no more than the log queues at once.
  std::vector<std::shared_ptr<Item>> items;
  WriteAutomation(u"set cooldown -1");
  SceneData scene;
  ASSERT_TRUE(scene.LoadFromPath(WidePath(dir_.File("Scenes/Tap.scene"))));
  for (const char16_t* name : {u"a", u"b", u"c", u"d"}) {
    auto item = std::make_shared<Item>(*scene.Items.front());
    item->Name = name;
    items.push_back(item);
  }
  scene.Items = items;
  ASSERT_TRUE(scene.SaveToPath(WidePath(dir_.File("Scenes/Tap.scene"))));
  // Room for the lines and about two pictures of the desktop.
  SimScreen screen(kWidth, kHeight);
  ScreenImage desktop{{}, kWidth, kHeight};
  screen.Render(desktop.pixels);
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(FrameJpegEncoder().Encode(desktop, kRunLogJpegQuality, jpeg));
  const uint64_t cap_bytes = std::max<uint64_t>(kMinRunLogCapBytes, 2 * jpeg.size() + 8192);
  ASSERT_GT(4 * jpeg.size(), cap_bytes) << "four pictures must not fit";

  BackgroundRun run(dir_, {"--config", config_, "--log", logs_, "--log-max-mb", std::to_string(cap_bytes / 1048576.0)});
  size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(run.WaitFor("match", at + (i > 0), at)) << test::ReadFile(dir_.File("err.txt"));
  }
  run.Finish();
  const Lines logged = test::OnlyLogLines(logs_);
  std::vector<std::string> named, removed;
  for (const auto& line : logged) {
    if (line.contains("picture")) named.push_back(line["picture"]);
    for (const auto& gone : line.value("removed_for_cap", nlohmann::json::array())) removed.push_back(gone);
  }
  EXPECT_EQ(test::LinesOf(logged, "match").size(), 4u) << "every line kept";
  EXPECT_EQ(named.size(), 4u);
  ASSERT_GE(removed.size(), 1u);
  EXPECT_EQ(removed, std::vector<std::string>(named.begin(), named.begin() + removed.size())) << "oldest first";
  EXPECT_EQ(test::FilesEndingIn(logs_, ".jpg"), std::vector<std::string>(named.begin() + removed.size(), named.end()));
  EXPECT_LE(test::FolderBytes(logs_), cap_bytes);
}

TEST_F(RunLogLive, AFolderThatCannotTakeTheLogEndsTheRunBeforeAnyDeviceConnects) {
  test::WriteFile(dir_.File("plain-file"), "not a folder");
  const test::ProgramResult run =
      test::RunProgram(kCli, {"run", "--config", config_, "--log", dir_.File("plain-file/logs"), "--seconds", "60"});
  EXPECT_EQ(run.exit_code, 1) << run.err;
  EXPECT_NE(run.err.find("cannot create the log folder '" + dir_.File("plain-file/logs") + "': Not a directory"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "") << "nothing connected";
}

TEST_F(RunLogLive, RefusesBadLogOptions) {
  const std::pair<const char*, const char*> cases[] = {
      {"--log", ""}, {"--log-max-mb", "0"}, {"--log-max-mb", "-1"}, {"--log-max-mb", "x"},
      {"--log-max-mb", "0.001"}, {"--log-max-mb", "2000000"}, {"--log-max-mb", ""},
  };
  for (const auto& [option, value] : cases) {
    const test::ProgramResult run = test::RunProgram(kCli, {"run", "--config", config_, option, value});
    EXPECT_EQ(run.exit_code, 2) << option << " " << value << run.err;
  }
}

}  // namespace
}  // namespace zor
