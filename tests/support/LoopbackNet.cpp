#include "support/LoopbackNet.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

namespace zor::test {
namespace {

constexpr int kAddressTries = 50;
constexpr auto kConnectRetry = std::chrono::milliseconds(20);

sockaddr_in MakeAddress(const std::string& address, uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
  return sa;
}

// Binds a fresh socket to address:port; returns the socket (or -1) and the bound port.
int BindSocket(const std::string& address, uint16_t port, uint16_t& bound_port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in sa = MakeAddress(address, port);
  if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
    close(fd);
    return -1;
  }
  socklen_t length = sizeof sa;
  getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &length);
  bound_port = ntohs(sa.sin_port);
  return fd;
}

}  // namespace

uint16_t FreeTcpPort(const std::string& address) {
  uint16_t port = 0;
  const int fd = BindSocket(address, 0, port);
  if (fd >= 0) close(fd);
  return port;
}

std::string FreeLoopbackAddress(uint16_t port) {
  std::mt19937 random(std::random_device{}());
  // Stays clear of 127.0.0.x, where other programs of the machine usually listen.
  std::uniform_int_distribution<int> octet(1, 254);
  for (int i = 0; i < kAddressTries; ++i) {
    const std::string address =
        "127." + std::to_string(octet(random)) + "." + std::to_string(octet(random)) + "." + std::to_string(octet(random));
    uint16_t bound = 0;
    const int fd = BindSocket(address, port, bound);
    if (fd >= 0) {
      close(fd);
      return address;
    }
  }
  return {};
}

bool WaitForTcpPort(const std::string& address, uint16_t port, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  do {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa = MakeAddress(address, port);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    close(fd);
    if (connected) return true;
    std::this_thread::sleep_for(kConnectRetry);
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

}  // namespace zor::test
