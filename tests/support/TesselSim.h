#pragma once
// A simulated hardware device for one test: zorkvm-sim --type tessel on a loopback address of
// its own (its input channel is always on port 80), and helpers to read what it decoded.
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/DeviceInfo.h"
#include "support/SimProcess.h"

namespace zor::test {

// A hardware device record (type 1) pointing at address:port.
DeviceInfo TesselDevice(const std::string& address, uint16_t port, uint32_t width = 1920, uint32_t height = 1080);

class TesselSim {
 public:
  // Starts a simulator; check Ready(). `extra` adds options (size, frame rate, parts per stream).
  explicit TesselSim(std::vector<std::string> extra = {});

  // Both ports accept connections.
  bool Ready() const { return ready_; }
  const std::string& Address() const { return sim_->Address(); }
  uint16_t Port() const { return sim_->Port(); }

  void Kill() { sim_->Kill(); }
  // Starts it again on the same address and port.
  bool Start();

  // A device record pointing at this simulator.
  DeviceInfo Device(uint32_t width = 1920, uint32_t height = 1080) const {
    return TesselDevice(Address(), Port(), width, height);
  }

  // Every log line that has `key`, in order; WaitForLines waits until at least `count` are there
  // (returning what there is after `timeout_ms`).
  std::vector<nlohmann::json> LinesWith(const std::string& key) const;
  std::vector<nlohmann::json> WaitForLines(const std::string& key, size_t count, int timeout_ms = 10000) const;
  // The reports the device decoded, as "mouse BUTTONS X Y WHEEL" and "key MODIFIERS USAGE",
  // once at least `count` have arrived (or after a time-out).
  std::vector<std::string> WaitForReports(size_t count) const;

 private:
  std::unique_ptr<SimProcess> sim_;
  bool ready_ = false;
};

}  // namespace zor::test
