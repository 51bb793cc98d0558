#include "support/TesselSim.h"

#include "support/LoopbackAddress.h"
#include "support/Wait.h"

namespace zor::test {
namespace {

constexpr uint16_t kInputPort = 80;
// The input port is bound right after the stream port; a sanitizer build may be slow.
constexpr int kInputPortTimeoutMs = 10000;

}  // namespace

TesselSim::TesselSim(std::vector<std::string> extra) {
  SimProcessOptions options;
  options.address = FreeLoopbackAddress(kInputPort);
  options.extra_args = {"--type", "tessel"};
  options.extra_args.insert(options.extra_args.end(), extra.begin(), extra.end());
  sim_ = std::make_unique<SimProcess>(std::move(options));
  ready_ = !Address().empty() && sim_->Ready() && WaitForListening(Address(), kInputPort, kInputPortTimeoutMs);
}

bool TesselSim::Start() {
  ready_ = sim_->Start() && WaitForListening(Address(), kInputPort, kInputPortTimeoutMs);
  return ready_;
}

DeviceInfo TesselDevice(const std::string& address, uint16_t port, uint32_t width, uint32_t height) {
  DeviceInfo d;
  d.Type = 1;
  d.ConnectIP = std::u16string(address.begin(), address.end());
  d.Port = port;
  d.ScreenWidth = width;
  d.ScreenHeight = height;
  return d;
}

std::vector<nlohmann::json> TesselSim::LinesWith(const std::string& key) const {
  std::vector<nlohmann::json> lines;
  for (auto& j : sim_->LogLines()) {
    if (j.is_object() && j.contains(key)) lines.push_back(std::move(j));
  }
  return lines;
}

std::vector<nlohmann::json> TesselSim::WaitForLines(const std::string& key, size_t count, int timeout_ms) const {
  std::vector<nlohmann::json> lines;
  WaitUntil([&] { return (lines = LinesWith(key)).size() >= count; }, timeout_ms);
  return lines;
}

std::vector<std::string> TesselSim::WaitForReports(size_t count) const {
  std::vector<std::string> reports;
  for (const auto& j : WaitForLines("report", count)) {
    if (j["report"] == "mouse") {
      reports.push_back("mouse " + j["buttons"].dump() + " " + j["x"].dump() + " " + j["y"].dump() + " " +
                        j["wheel"].dump());
    } else {
      reports.push_back("key " + j["modifiers"].dump() + " " + j["usage"].dump());
    }
  }
  return reports;
}

}  // namespace zor::test
