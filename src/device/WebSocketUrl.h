#pragma once
// The parts of a plain "ws://host[:port][/path]" URL that a connection needs.
#include <string>
#include <string_view>

namespace zor {

struct WebSocketUrl {
  bool valid = false;
  std::string host;         // name or IPv4 address, without brackets
  std::string port = "80";  // decimal
  std::string host_header;  // "host" or "host:port" when the port is not 80
  std::string target = "/"; // path and query, never empty
};

// Not valid: another scheme, an empty host, a port that is not a number from 1 to 65535, a host
// with anything but letters, digits, '.', '-' and '_', or a path with spaces or control
// characters. Host and path go into the upgrade request's lines, which such bytes would break.
WebSocketUrl ParseWebSocketUrl(std::string_view url);

}  // namespace zor
