#pragma once
// Loopback addresses for tests whose servers need a fixed port (the hardware device's input
// channel is always on port 80): each test picks an address of its own, so tests running at the
// same time never meet.
#include <cstdint>
#include <string>

namespace zor::test {

// A random address of 127.0.0.0/8 on which `port` is free now; "" when several tries failed.
std::string FreeLoopbackAddress(uint16_t port);

}  // namespace zor::test
