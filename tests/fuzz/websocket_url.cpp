// The WebSocket URL parser on arbitrary bytes (a device's address comes from config.ini). A
// URL it accepts must be safe to connect with: host and request target carry nothing that
// would break the upgrade request, and the port is a number from 1 to 65535.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "device/WebSocketUrl.h"

namespace {

// No space or control byte: nothing that ends a request line or a header.
bool OneToken(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  }
  return true;
}

bool PortInRange(std::string_view port) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
  return error == std::errc() && end == port.data() + port.size() && value >= 1 && value <= 65535;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zor::WebSocketUrl url = zor::ParseWebSocketUrl(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!url.valid) return 0;
  if (url.host.empty() || !OneToken(url.host) || url.host.find(':') != std::string::npos) std::abort();
  if (url.target.empty() || url.target.front() != '/' || !OneToken(url.target)) std::abort();
  if (!PortInRange(url.port)) std::abort();
  return 0;
}
