// zorkvm-cli run against zorkvm-sim, both as child processes: the device's App runs from the
// config file's folder, every event comes out as one JSON line, and the run ends on time or on
// an interruption.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "cli/RunCommandFixture.h"
#include "support/ChildProcess.h"
#include "support/JsonLines.h"
#include "support/RunProgram.h"
#include "support/Wait.h"

namespace zor {
namespace {

// Runs the automation of `config` until an item_evaluated line satisfies `wanted`, then
// interrupts it; returns every item_evaluated line (empty when none satisfied it in time).
std::vector<nlohmann::json> EvaluationsUntil(const std::string& config, const test::TempDir& dir,
                                             const std::function<bool(const nlohmann::json&)>& wanted) {
  const std::string out = dir.File("out.jsonl");
  test::ChildProcess cli({kCli, "run", "--config", config}, out, dir.File("err.txt"));
  const auto evaluations = [&] {
    std::vector<nlohmann::json> lines;
    for (const auto& j : test::JsonLines(test::ReadFile(out))) {
      if (j.is_object() && j.value("event", "") == "item_evaluated") lines.push_back(j);
    }
    return lines;
  };
  const bool seen = test::WaitUntil([&] { return std::ranges::any_of(evaluations(), wanted); }, 60000);
  const int status = cli.Stop(SIGINT);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_TRUE(seen) << test::ReadFile(out);
  return seen ? evaluations() : std::vector<nlohmann::json>{};
}

TEST_F(RunCommandLive, RunsTheDevicesAppAndPrintsEachEventUntilTheTimeIsUp) {
  // The device named twice is still run once.
  const test::ProgramResult run =
      test::RunProgram(kCli, {"run", "--config", config_, "--device", "0", "--device", "0", "--seconds", "3"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto lines = test::JsonLines(run.out);
  const auto names = EventNames(lines);
  // The first Scene loads while connecting; each step's events follow in order.
  const std::vector<std::string> expected_start = {"scene_loaded", "connected", "item_evaluated", "match",
                                                   "action_sent", "app_idle", "summary", "stopped"};
  EXPECT_EQ(names, expected_start) << run.out;
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& j) { return j.value("event", "") == "connected"; }), 1);
  for (const auto& j : lines) {
    if (j.value("event", "") == "action_sent") {
      EXPECT_EQ(j["action"], "CLK");
      EXPECT_EQ(std::make_pair(j["x"].get<int32_t>(), j["y"].get<int32_t>()), ok_centre_);
    }
    if (j.value("event", "") == "match") {
      EXPECT_GE(j["score"].get<double>(), 0.8);
    }
    if (j.value("event", "") == "stopped") {
      EXPECT_EQ(j["interrupted"], false);
    }
    if (j.value("event", "") == "summary") {
      // The one click of the run, counted under its Scene and Item.
      const nlohmann::json click = {{"scene", "Tap"}, {"item", "ok"}, {"action", "CLK"}, {"count", 1}};
      EXPECT_EQ(j["actions"], nlohmann::json::array({click}));
      EXPECT_EQ(j["device"], 0);
    }
  }
  // The click reached the device, and the connection was closed at the end.
  const nlohmann::json click = {{"action", "move"}, {"type", "CONTROL"}, {"x", ok_centre_.first}, {"y", ok_centre_.second}};
  const auto texts = sim_.ReceivedTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), click.dump()), texts.end());
  EXPECT_EQ(sim_.LogLines().back().value("event", ""), "close");
}

TEST_F(RunCommandLive, AnInterruptionStopsTheRunCleanly) {
  const std::string out = dir_.File("out.jsonl");
  test::ChildProcess cli({kCli, "run", "--config", config_, "--device", "0"}, out, dir_.File("err.txt"));
  ASSERT_TRUE(test::WaitUntil([&] { return test::ReadFile(out).find("app_idle") != std::string::npos; }, 30000));
  const int status = cli.Stop(SIGINT);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const auto lines = test::JsonLines(test::ReadFile(out));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), (nlohmann::json{{"event", "stopped"}, {"interrupted", true}}));
}

TEST_F(RunCommandLive, AutomationGoesOnAfterTheDeviceDropsTheConnection) {
  test::SimProcess dropping({kAddress, 0, {"--size", "480x270", "--fault", "drop:1"}, {}});
  ASSERT_TRUE(dropping.Ready());
  WriteConfig(dropping.Port());
  WriteAutomation(u"action CLK");  // never final: the App keeps evaluating every new picture
  const std::string out = dir_.File("out.jsonl");
  test::ChildProcess cli({kCli, "run", "--config", config_}, out, dir_.File("err.txt"));
  const auto evaluations = [&] {
    const auto lines = test::JsonLines(test::ReadFile(out));
    return std::count_if(lines.begin(), lines.end(), [](const auto& j) { return j.is_object() && j.value("event", "") == "item_evaluated"; });
  };
  // The device dropped a connection and the client opened a new one.
  const auto reconnected = [&] {
    bool dropped = false;
    for (const auto& line : dropping.LogLines()) {
      dropped = dropped || line.value("event", "") == "drop";
      if (dropped && line.value("event", "") == "open") return true;
    }
    return false;
  };
  ASSERT_TRUE(test::WaitUntil(reconnected, 60000));
  // Each step takes a new picture, so steps after the reconnection prove pictures came again.
  const auto before = evaluations();
  EXPECT_TRUE(test::WaitUntil([&] { return evaluations() >= before + 3; }, 60000)) << test::ReadFile(out);
  const int status = cli.Stop(SIGINT);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The Item clicks the OK button and the pointer stays on it, which lowers the button's score
// below the threshold: the following evaluations find nothing, and say where the button is
// and how close they came.
TEST_F(RunCommandLive, AMissAfterTheClickReportsTheBestPositionAndScore) {
  // Between the button's score with the pointer on it and without (0.88 and 0.99 through JPEG).
  constexpr float kThreshold = 0.94f;
  constexpr int kNearPixels = 2;  // the pointer covers part of the button: a neighbour may score more
  WriteAutomation(u"action CLK", kThreshold);  // never final: the App evaluates every picture
  const auto missed = [](const nlohmann::json& j) { return j["found"] == false; };
  const auto lines = EvaluationsUntil(config_, dir_, missed);
  ASSERT_FALSE(lines.empty());
  const SimRect ok = MakeSimLayout(kWidth, kHeight).ok_button;
  const std::pair<int32_t, int32_t> ok_corner{ok.x, ok.y};
  const nlohmann::json& hit = lines.front();
  ASSERT_EQ(hit["found"], true) << hit.dump();
  EXPECT_EQ(hit["best_score"], hit["score"]) << "a hit's best position is its match";
  EXPECT_EQ(std::make_pair(hit["best_left"].get<int32_t>(), hit["best_top"].get<int32_t>()), ok_corner);

  const nlohmann::json& miss = *std::ranges::find_if(lines, missed);
  EXPECT_EQ(miss["score"], 0.0) << "kept as it was for readers of the old lines";
  EXPECT_NEAR(miss["best_left"].get<int32_t>(), ok_corner.first, kNearPixels) << miss.dump();
  EXPECT_NEAR(miss["best_top"].get<int32_t>(), ok_corner.second, kNearPixels) << miss.dump();
  EXPECT_LT(miss["best_score"].get<double>(), kThreshold - 0.01) << "below the threshold less the default tolerance";
  EXPECT_GT(miss["best_score"].get<double>(), 0.0) << miss.dump();
}

// An analysis that could not score any position has no best position to give.
TEST_F(RunCommandLive, AnAnalysisThatScoredNothingGivesNullBestFields) {
  constexpr int32_t kNoSuchEngine = 3;
  WriteAutomation(u"action CLK", 0.8f, kNoSuchEngine);
  const auto lines = EvaluationsUntil(config_, dir_, [](const nlohmann::json& j) { return j.contains("message"); });
  ASSERT_FALSE(lines.empty());
  const nlohmann::json& failed = lines.front();
  EXPECT_EQ(failed["found"], false);
  EXPECT_EQ(failed["score"], 0.0);
  for (const char* key : {"best_score", "best_left", "best_top"}) {
    ASSERT_TRUE(failed.contains(key)) << key;
    EXPECT_TRUE(failed[key].is_null()) << key;
  }
}

TEST_F(RunCommandLive, RefusesBadRequests) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
  };
  const std::vector<Case> cases = {
      {{"run", "--config"}, 2},
      {{"run", "--config", config_, "--device", "x"}, 2},
      {{"run", "--config", config_, "--seconds", "0"}, 2},
      {{"run", "--config", config_, "--seconds", "86401"}, 2},
      {{"run", "--config", config_, "--bogus", "1"}, 2},
      {{"run", "--config", dir_.File("missing.ini")}, 1},
      {{"run", "--config", config_, "--device", "0", "--device", "1"}, 1},
  };
  for (const Case& c : cases) {
    const test::ProgramResult run = test::RunProgram(kCli, c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << nlohmann::json(c.args).dump() << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

}  // namespace
}  // namespace zor
