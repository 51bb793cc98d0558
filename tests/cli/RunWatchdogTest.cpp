// zorkvm-cli run's watchdog against zorkvm-sim: a device that goes silent holds its Apps and
// frees them on their Scene when it is back, a screen of another size than the record's holds
// them, and an App that finds nothing is reported stalled and goes on.
#include <gtest/gtest.h>

#include <csignal>
#include <nlohmann/json.hpp>

#include "cli/RunCommandFixture.h"
#include "support/RunProgram.h"
#include "support/Wait.h"

namespace zor {
namespace {

TEST_F(RunCommandLive, ASilentDeviceHoldsItsAppsWhichGoOnOnTheirSceneWhenItIsBack) {
  WriteAutomation(u"set cooldown 100");  // matches again and again, never leaves the Scene
  BackgroundRun run(dir_, {"--config", config_, "--no-signal-seconds", "1"});
  size_t first_match = 0, paused = 0, resumed = 0, match_after = 0;
  ASSERT_TRUE(run.WaitFor("match", 0, first_match)) << test::ReadFile(dir_.File("err.txt"));
  sim_.Kill();
  ASSERT_TRUE(run.WaitFor("paused", first_match, paused));
  ASSERT_TRUE(sim_.Start()) << sim_.Messages();  // the same port
  ASSERT_TRUE(run.WaitFor("resumed", paused, resumed));
  ASSERT_TRUE(run.WaitFor("match", resumed, match_after));
  const Lines lines = run.Finish();
  EXPECT_EQ(lines[paused], (nlohmann::json{{"event", "paused"}, {"device", 0}, {"reason", "no_signal"}}));
  EXPECT_EQ(lines[resumed], (nlohmann::json{{"event", "resumed"}, {"device", 0}}));
  EXPECT_EQ(lines[match_after]["scene_index"], lines[first_match]["scene_index"]);
  EXPECT_EQ(IndexOf(lines, "scene_changed"), lines.size());
  // While held, nothing was evaluated.
  EXPECT_EQ(IndexOf(lines, "item_evaluated", paused), IndexOf(lines, "item_evaluated", resumed));
}

TEST_F(RunCommandLive, AScreenOfAnotherSizeThanTheRecordsHoldsTheApps) {
  WriteConfig(sim_.Port(), kWidth * 2, kHeight * 2);
  BackgroundRun run(dir_, {"--config", config_});
  size_t connected = 0, paused = 0;
  ASSERT_TRUE(run.WaitFor("connected", 0, connected));
  ASSERT_TRUE(run.WaitFor("paused", 0, paused));
  const Lines lines = run.Finish();
  EXPECT_EQ(lines[paused], (nlohmann::json{{"event", "paused"}, {"device", 0}, {"reason", "screen_size"}}));
  EXPECT_EQ(IndexOf(lines, "item_evaluated"), lines.size());
}

TEST_F(RunCommandLive, AnAppThatFindsNothingIsReportedStalledAndGoesOn) {
  auto item = std::make_shared<Item>();
  item->Name = u"nowhere";
  item->Threshold = 0.99f;
  item->Template.Width = 16;
  item->Template.Height = 16;
  // A fine red and blue checkerboard, which the simulated desktop does not show.
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool red = (x / 2 + y / 2) % 2 == 0;
      item->Template.Pixels.insert(item->Template.Pixels.end(), {uint8_t(red ? 0 : 255), 0, uint8_t(red ? 255 : 0), 255});
    }
  }
  WriteAppOfOneItem(item);
  BackgroundRun run(dir_, {"--config", config_, "--stall-seconds", "1"});
  size_t stalled = 0, evaluated_after = 0;
  ASSERT_TRUE(run.WaitFor("stalled", 0, stalled)) << test::ReadFile(dir_.File("out.jsonl"));
  ASSERT_TRUE(run.WaitFor("item_evaluated", stalled, evaluated_after)) << test::ReadFile(dir_.File("out.jsonl"));
  const Lines lines = run.Finish();
  EXPECT_EQ(lines[stalled]["app"], "Cli");
  EXPECT_EQ(lines[stalled]["scene"], "Tap");
  EXPECT_GE(lines[stalled]["seconds"].get<int64_t>(), 1);
  EXPECT_EQ(IndexOf(lines, "stalled", stalled + 1), lines.size());  // once per stall
}

TEST_F(RunCommandLive, RefusesBadWatchdogTimes) {
  for (const char* option : {"--no-signal-seconds", "--stall-seconds"}) {
    for (const char* value : {"-1", "x", "86401", ""}) {
      const test::ProgramResult run = test::RunProgram(kCli, {"run", "--config", config_, option, value});
      EXPECT_EQ(run.exit_code, 2) << option << " " << value << run.err;
    }
  }
}

}  // namespace
}  // namespace zor
