#include "support/LoopbackAddress.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <random>

namespace zor::test {
namespace {

constexpr int kAddressTries = 50;

bool PortFree(const std::string& address, uint16_t port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
  const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
  close(fd);
  return bound;
}

}  // namespace

std::string FreeLoopbackAddress(uint16_t port) {
  std::mt19937 random(std::random_device{}());
  // Clear of 127.0.0.x, where the machine's own services and other tests usually listen.
  std::uniform_int_distribution<int> octet(1, 254);
  for (int i = 0; i < kAddressTries; ++i) {
    const std::string address =
        "127." + std::to_string(octet(random)) + "." + std::to_string(octet(random)) + "." + std::to_string(octet(random));
    if (PortFree(address, port)) return address;
  }
  return {};
}

}  // namespace zor::test
