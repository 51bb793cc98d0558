#pragma once
// zorkvm-sim's command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zor::sim {

enum class SimDeviceType { SoftKvm, Tessel };

// A misbehaviour a simulated device shows on purpose, so that tests can see the client cope.
enum class SimFaultMode {
  None,
  DropEvery,       // closes every connection `seconds` after accepting it
  StallAfterAccept,// accepts, then never reads or sends a byte
  Garbage,         // pictures are random bytes instead of JPEG
  LyingLength,     // tessel: each part's Content-Length is far larger than its body
  SplitBoundary,   // tessel: every byte of the stream is sent on its own
  EndlessHead,     // tessel: the HTTP response head never ends
  BurstThenSilence,// tessel: a few parts straight after the head, then nothing
  CloseMidMessage, // softkvm: the connection drops in the middle of a picture message
};

struct SimFault {
  SimFaultMode mode = SimFaultMode::None;
  int seconds = 0;  // DropEvery only
};

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
  // The fault of each device (index = device); a device beyond the vector's end behaves.
  std::vector<SimFault> faults;
  bool print_layout = false;
  bool help = false;
  bool version = false;
};

// Highest frame rate served, and most devices in one process: enough for every test and demo,
// small enough that a mistyped number cannot swamp the machine.
inline constexpr int kMaxSimFps = 60;
inline constexpr int kMaxSimDevices = 64;

// The fault of device `index`, SimFaultMode::None when it has none.
SimFault FaultOf(const SimOptions& options, int index);

// The options, or nullopt with `error` set for a bad command line.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);
const char* SimUsage();

}  // namespace zor::sim
