#pragma once
// A simulated hardware device for one test: zorkvm-sim --type tessel on an address of its own,
// with its log in a temporary folder that goes away with the object.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"
#include "support/LoopbackNet.h"

namespace zor::test {

class TesselSim {
 public:
  // How long the simulator may take to listen on both of its ports.
  static constexpr int kStartTimeoutMs = 10000;

  // Starts a simulator; check ok(). `extra` adds options (frame rate, parts per stream).
  explicit TesselSim(const std::vector<std::string>& extra = {}) {
    dir_ = std::filesystem::temp_directory_path() /
           ("zorkvm-tessel-" + std::to_string(getpid()) + "-" + std::to_string(++instances_));
    std::filesystem::create_directories(dir_);
    address_ = FreeLoopbackAddress(80);
    if (address_.empty()) return;
    port_ = FreeTcpPort(address_);
    Start(extra);
  }

  ~TesselSim() {
    process_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // Starts the simulator again on the same address and port (after Stop).
  void Start(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args{"--type", "tessel", "--address", address_, "--port", std::to_string(port_),
                                  "--log",  LogPath()};
    args.insert(args.end(), extra.begin(), extra.end());
    process_ = std::make_unique<ChildProcess>(ZORKVM_TOOLS_DIR "/zorkvm-sim", args, "",
                                              (dir_ / "stderr.txt").string());
    ok_ = process_->Started() && WaitForTcpPort(address_, 80, kStartTimeoutMs) &&
          WaitForTcpPort(address_, port_, kStartTimeoutMs);
  }

  void Stop() { process_.reset(); }

  bool ok() const { return ok_; }
  const std::string& address() const { return address_; }
  uint16_t port() const { return port_; }
  std::string LogPath() const { return (dir_ / "log.jsonl").string(); }

  // Every log line that has `key`, in order.
  std::vector<nlohmann::json> LinesWith(const std::string& key) const {
    std::vector<nlohmann::json> lines;
    std::ifstream in(LogPath());
    std::string text;
    while (std::getline(in, text)) {
      const auto j = nlohmann::json::parse(text, nullptr, false);
      if (j.is_object() && j.contains(key)) lines.push_back(j);
    }
    return lines;
  }

  // Waits until at least `count` lines have `key`; returns them (possibly fewer on time-out).
  std::vector<nlohmann::json> WaitForLines(const std::string& key, size_t count, int timeout_ms = 5000) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
      auto lines = LinesWith(key);
      if (lines.size() >= count || std::chrono::steady_clock::now() >= deadline) return lines;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

 private:
  static inline int instances_ = 0;
  std::filesystem::path dir_;
  std::string address_;
  uint16_t port_ = 0;
  std::unique_ptr<ChildProcess> process_;
  bool ok_ = false;
};

}  // namespace zor::test
