#pragma once
// zorkvm-sim's command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zor::sim {

enum class SimDeviceType { SoftKvm, Tessel };

struct SimOptions {
  SimDeviceType type = SimDeviceType::SoftKvm;
  std::string address = "127.0.0.1";
  uint16_t port = 8080;  // 0: the system picks a free port per device
  int32_t width = 1920;
  int32_t height = 1080;
  int max_fps = 30;
  int devices = 1;
  std::string log_path = "-";
  int parts_per_stream = 0;  // tessel: streams end after this many parts (0: never)
  bool print_layout = false;
  bool help = false;
};

// Highest frame rate served, and most devices in one process: enough for every test and demo,
// small enough that a mistyped number cannot swamp the machine.
inline constexpr int kMaxSimFps = 60;
inline constexpr int kMaxSimDevices = 64;

// The options, or nullopt with `error` set for a bad command line.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);
const char* SimUsage();

}  // namespace zor::sim
