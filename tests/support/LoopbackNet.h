#pragma once
// Loopback addresses and ports for tests that start servers: every test picks its own, so that
// tests running at the same time never meet on one address.
#include <cstdint>
#include <string>

namespace zor::test {

// A free TCP port on `address` (bound with port 0 and released again).
uint16_t FreeTcpPort(const std::string& address = "127.0.0.1");

// A random address of 127.0.0.0/8 on which `port` is free now; several tries, "" if none.
std::string FreeLoopbackAddress(uint16_t port);

// True once a TCP connection to address:port succeeds within `timeout_ms`.
bool WaitForTcpPort(const std::string& address, uint16_t port, int timeout_ms);

}  // namespace zor::test
