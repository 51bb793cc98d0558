// The headless demo, as scripts/demo.sh runs it without a display: the demo folder from
// `zorkvm-cli demo-folder`, three simulated software agents and one hardware device, and
// `zorkvm-cli run` on them. Every device keeps clicking OK and the toggle in turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "model/DeviceListFile.h"
#include "platform/ProgramPath.h"
#include "support/ChildProcess.h"
#include "support/JsonLines.h"
#include "support/RecordingOwner.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

constexpr char kAgentAddress[] = "127.0.0.36";
const std::string kCli = ZORKVM_TOOLS_DIR "/zorkvm-cli";
// The demo's own desktop size and device count.
constexpr char kSize[] = "1280x720";
constexpr uint32_t kWidth = 1280;
constexpr uint32_t kHeight = 720;
constexpr size_t kAgents = 3;
constexpr size_t kDevices = kAgents + 1;
// Clicks each button gets on each device before the run is stopped: enough to show turns taken
// again and again. The demo makes them in a few seconds; the limit is for a loaded machine.
constexpr int64_t kClicksPerButton = 3;
constexpr int kClicksTimeoutMs = 180000;
const std::vector<std::string> kButtons = {"OK button", "Toggle button"};

// The Items whose clicks were sent, in order, per device. Only the lines of sent actions are
// parsed: this runs often while the run goes on.
std::map<size_t, std::vector<std::string>> ClickedItems(const std::string& out) {
  std::map<size_t, std::vector<std::string>> clicked;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find(R"("action_sent")") == std::string::npos) continue;
    const auto j = nlohmann::json::parse(line, nullptr, false);
    if (j.is_object() && j.value("action", "") == "CLK") {
      clicked[j["device"].get<size_t>()].push_back(j["item"].get<std::string>());
    }
  }
  return clicked;
}

bool EveryButtonClicked(const std::map<size_t, std::vector<std::string>>& clicked, int64_t times) {
  if (clicked.size() < kDevices) return false;
  for (const auto& [device, items] : clicked) {
    for (const std::string& button : kButtons) {
      if (std::count(items.begin(), items.end(), button) < times) return false;
    }
  }
  return true;
}

// The highest click counts a simulated device showed, per device index of its log.
std::map<int, std::pair<int64_t, int64_t>> ShownClicks(const std::vector<nlohmann::json>& log) {
  std::map<int, std::pair<int64_t, int64_t>> shown;
  for (const auto& j : log) {
    if (!j.contains("ok_clicks")) continue;
    auto& [ok, toggle] = shown[j["device"].get<int>()];
    ok = std::max(ok, j["ok_clicks"].get<int64_t>());
    toggle = std::max(toggle, j["toggle_clicks"].get<int64_t>());
  }
  return shown;
}

TEST(DemoLive, EveryDeviceClicksOkAndTheToggleInTurnForAsLongAsItRuns) {
  test::TempDir dir;
  const test::ProgramResult folder = test::RunProgram(kCli, {"demo-folder", dir.Path(), kSize});
  ASSERT_EQ(folder.exit_code, 0) << folder.err;
  test::SimProcess agents({kAgentAddress, 0, {"--devices", std::to_string(kAgents), "--size", kSize}, {}});
  test::TesselSim hardware({"--size", kSize});
  ASSERT_TRUE(agents.Ready());
  ASSERT_TRUE(hardware.Ready()) << "zorkvm-sim did not start on " << hardware.Address();

  DeviceList devices;
  for (uint16_t port : agents.Ports()) {
    devices.push_back(std::make_unique<DeviceInfo>(test::SoftKvmDevice(u"127.0.0.36", port, kWidth, kHeight)));
  }
  devices.push_back(std::make_unique<DeviceInfo>(hardware.Device(kWidth, kHeight)));
  for (auto& device : devices) device->Apps = {u"Demo"};
  const std::string config = dir.File("config.ini");
  ASSERT_TRUE(SaveDeviceList(WidePath(config), devices));

  const std::string out = dir.File("run.jsonl");
  test::ChildProcess run({kCli, "run", "--config", config}, out, dir.File("run.err"));
  test::WaitUntil([&] { return EveryButtonClicked(ClickedItems(test::ReadFile(out)), kClicksPerButton); },
                  kClicksTimeoutMs);
  const int status = run.Stop(SIGINT);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << test::ReadFile(dir.File("run.err"));
  const std::string events = test::ReadFile(out);
  const auto lines = test::JsonLines(events);

  // The buttons take turns on every device: no button is clicked twice in a row.
  const auto clicked = ClickedItems(events);
  EXPECT_EQ(clicked.size(), kDevices);
  for (const auto& [device, items] : clicked) {
    SCOPED_TRACE("device " + std::to_string(device));
    for (size_t i = 1; i < items.size(); ++i) EXPECT_NE(items[i], items[i - 1]) << "click " << i;
  }
  // The summary line of each device counts the clicks of each button, under the one Scene.
  size_t summaries = 0;
  for (const auto& j : lines) {
    if (!j.is_object() || j.value("event", "") != "summary") continue;
    ++summaries;
    SCOPED_TRACE(j.dump());
    for (const std::string& button : kButtons) {
      const auto& actions = j["actions"];
      const auto entry = std::find_if(actions.begin(), actions.end(), [&](const auto& a) {
        return a["scene"] == "DemoButtons" && a["item"] == button && a["action"] == "CLK";
      });
      ASSERT_NE(entry, actions.end());
      EXPECT_GE((*entry)["count"].get<int64_t>(), kClicksPerButton);
    }
  }
  EXPECT_EQ(summaries, kDevices);

  // The clicks landed: each simulated desktop counted them on its buttons.
  auto shown = ShownClicks(agents.LogLines());
  shown[static_cast<int>(kAgents)] = ShownClicks(hardware.LinesWith("ok_clicks"))[0];
  EXPECT_EQ(shown.size(), kDevices);
  for (const auto& [device, counts] : shown) {
    SCOPED_TRACE("device " + std::to_string(device));
    EXPECT_GE(counts.first, kClicksPerButton);
    EXPECT_GE(counts.second, kClicksPerButton);
  }
}

}  // namespace
}  // namespace zor
