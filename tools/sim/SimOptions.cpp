#include "SimOptions.h"

#include <arpa/inet.h>

#include <algorithm>
#include <charconv>
#include <iterator>

namespace zor::sim {
namespace {

bool ParseInt(const std::string& text, long low, long high, long& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

// Simulated devices are for this machine only: they take any input without a password.
bool IsLoopbackV4(const std::string& address) {
  in_addr parsed{};
  return inet_pton(AF_INET, address.c_str(), &parsed) == 1 && (ntohl(parsed.s_addr) >> 24) == 127;
}

bool ParseSize(const std::string& text, int32_t& width, int32_t& height) {
  const size_t x = text.find('x');
  long w = 0;
  long h = 0;
  if (x == std::string::npos || !ParseInt(text.substr(0, x), 64, 7680, w) || !ParseInt(text.substr(x + 1), 64, 4320, h)) {
    return false;
  }
  width = static_cast<int32_t>(w);
  height = static_cast<int32_t>(h);
  return true;
}

struct FaultName {
  const char* name;
  SimFaultMode mode;
};
constexpr FaultName kFaultNames[] = {
    {"drop", SimFaultMode::DropEvery},          {"stall", SimFaultMode::StallAfterAccept},
    {"garbage", SimFaultMode::Garbage},         {"lying-length", SimFaultMode::LyingLength},
    {"split-boundary", SimFaultMode::SplitBoundary}, {"endless-head", SimFaultMode::EndlessHead},
    {"burst", SimFaultMode::BurstThenSilence},  {"close-mid-message", SimFaultMode::CloseMidMessage},
};

// "[I=]MODE[:SECONDS]": the fault of device I, or of every device without I. Only "drop"
// takes (and needs) SECONDS.
bool ParseFault(const std::string& text, SimOptions& o) {
  std::string spec = text;
  long device = -1;
  if (const size_t eq = spec.find('='); eq != std::string::npos) {
    if (!ParseInt(spec.substr(0, eq), 0, kMaxSimDevices - 1, device)) return false;
    spec = spec.substr(eq + 1);
  }
  SimFault fault;
  std::string name = spec;
  if (const size_t colon = spec.find(':'); colon != std::string::npos) {
    long seconds = 0;
    if (!ParseInt(spec.substr(colon + 1), 1, 3600, seconds)) return false;
    fault.seconds = static_cast<int>(seconds);
    name = spec.substr(0, colon);
  }
  const auto* known = std::find_if(std::begin(kFaultNames), std::end(kFaultNames),
                                   [&](const FaultName& f) { return name == f.name; });
  if (known == std::end(kFaultNames)) return false;
  fault.mode = known->mode;
  if ((fault.mode == SimFaultMode::DropEvery) != (fault.seconds > 0)) return false;
  if (device < 0) {
    o.faults.assign(kMaxSimDevices, fault);
  } else {
    if (o.faults.size() <= static_cast<size_t>(device)) o.faults.resize(static_cast<size_t>(device) + 1);
    o.faults[static_cast<size_t>(device)] = fault;
  }
  return true;
}

}  // namespace

SimFault FaultOf(const SimOptions& options, int index) {
  return index >= 0 && static_cast<size_t>(index) < options.faults.size() ? options.faults[static_cast<size_t>(index)]
                                                                           : SimFault{};
}

const char* SimUsage() {
  return "usage: zorkvm-sim [options]\n"
         "Serves simulated KVM devices on this machine's loopback addresses.\n"
         "  --type softkvm      device type (softkvm: the software agent's WebSocket protocol;\n"
         "                      tessel: the hardware device, MJPEG over HTTP on the port and HID\n"
         "                      reports at ws://ADDRESS/api/ws on port 80; device i gets ADDRESS + i)\n"
         "  --address A         listen address in 127.0.0.0/8 (default 127.0.0.1)\n"
         "  --port P            first port (default 8080; 0 lets the system pick one per device)\n"
         "  --devices N         devices on consecutive ports from P (default 1, at most 64)\n"
         "  --size WxH          screen size (default 1920x1080)\n"
         "  --fps N             highest frame rate served (default 30, at most 60)\n"
         "  --log FILE          JSON lines of every message received (default - : standard output)\n"
         "  --parts-per-stream N  tessel: end each stream after N parts (default 0: never)\n"
         "  --fault [I=]MODE    misbehave on purpose, device I only or every device: drop:SECONDS\n"
         "                      (close each connection after SECONDS), stall (accept, then silence),\n"
         "                      garbage (random bytes instead of JPEG); tessel: lying-length,\n"
         "                      split-boundary (one byte per send), endless-head, burst (a few\n"
         "                      parts, then silence); softkvm: close-mid-message\n"
         "  --print-layout      print the screen's target rectangles as JSON and exit\n"
         "  --version           print the version and exit\n"
         "  --help              this text\n";
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error) {
  SimOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      continue;
    }
    if (a == "--version") {
      o.version = true;
      continue;
    }
    if (a == "--print-layout") {
      o.print_layout = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "unknown option or missing value: " + a;
      return std::nullopt;
    }
    const std::string& v = args[++i];
    long n = 0;
    if (a == "--type" && v == "softkvm") {
      o.type = SimDeviceType::SoftKvm;
    } else if (a == "--type" && v == "tessel") {
      o.type = SimDeviceType::Tessel;
    } else if (a == "--parts-per-stream" && ParseInt(v, 0, INT32_MAX, n)) {
      o.parts_per_stream = static_cast<int>(n);
    } else if (a == "--address" && IsLoopbackV4(v)) {
      o.address = v;
    } else if (a == "--port" && ParseInt(v, 0, 65535, n)) {
      o.port = static_cast<uint16_t>(n);
    } else if (a == "--devices" && ParseInt(v, 1, kMaxSimDevices, n)) {
      o.devices = static_cast<int>(n);
    } else if (a == "--size" && ParseSize(v, o.width, o.height)) {
    } else if (a == "--fps" && ParseInt(v, 1, kMaxSimFps, n)) {
      o.max_fps = static_cast<int>(n);
    } else if (a == "--fault" && ParseFault(v, o)) {
    } else if (a == "--log" && !v.empty()) {
      o.log_path = v;
    } else {
      error = "bad option: " + a + " " + v;
      return std::nullopt;
    }
  }
  if (o.port != 0 && o.port + o.devices - 1 > 65535) {
    error = "ports beyond 65535";
    return std::nullopt;
  }
  return o;
}

}  // namespace zor::sim
