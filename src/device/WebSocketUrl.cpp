#include "device/WebSocketUrl.h"

#include <charconv>

namespace zor {
namespace {

constexpr std::string_view kScheme = "ws://";

bool ValidPort(std::string_view text) {
  unsigned value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= 65535;
}

bool ValidHost(std::string_view host) {
  if (host.empty()) return false;
  for (const char c : host) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    if (!letter && !digit && c != '.' && c != '-' && c != '_') return false;
  }
  return true;
}

// A request target ends at the first space of the request line; control bytes end the line.
bool ValidTarget(std::string_view target) {
  for (const char c : target) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  }
  return true;
}

}  // namespace

WebSocketUrl ParseWebSocketUrl(std::string_view url) {
  WebSocketUrl out;
  if (!url.starts_with(kScheme)) return out;
  url.remove_prefix(kScheme.size());
  const size_t slash = url.find('/');
  const std::string_view authority = url.substr(0, slash);
  if (slash != std::string_view::npos) {
    if (!ValidTarget(url.substr(slash))) return out;
    out.target = std::string(url.substr(slash));
  }

  const size_t colon = authority.rfind(':');
  std::string_view host = authority.substr(0, colon);
  if (colon != std::string_view::npos) {
    const std::string_view port = authority.substr(colon + 1);
    if (!ValidPort(port)) return out;
    out.port = std::string(port);
  }
  if (!ValidHost(host)) return out;
  out.host = std::string(host);
  out.host_header = out.port == "80" ? out.host : out.host + ":" + out.port;
  out.valid = true;
  return out;
}

}  // namespace zor
