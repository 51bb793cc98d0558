#include "SimOptions.h"

#include <arpa/inet.h>

#include <charconv>

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

}  // namespace

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
         "  --print-layout      print the screen's target rectangles as JSON and exit\n"
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
