// HttpStreamReader's stop against a device that takes the request and never answers: the stop
// ends the request in flight at once instead of waiting for the read timeout. The timeout here
// is an hour, so a stop that waited would hang the test until CTest's limit fails it.
#include "device/HttpStreamReader.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace zor {
namespace {

constexpr char kAddress[] = "127.0.0.1";
constexpr int kHourS = 3600;

// A listening socket on a free loopback port whose connections the test accepts by hand.
class SilentDevice {
 public:
  SilentDevice() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, kAddress, &a.sin_addr);
    socklen_t length = sizeof a;
    if (fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && listen(fd_, 4) == 0 &&
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) == 0) {
      port_ = ntohs(a.sin_port);
    }
  }
  ~SilentDevice() {
    if (client_ >= 0) close(client_);
    if (fd_ >= 0) close(fd_);
  }
  SilentDevice(const SilentDevice&) = delete;
  SilentDevice& operator=(const SilentDevice&) = delete;

  uint16_t Port() const { return port_; }

  // Accepts the reader's connection and reads its request up to the end of the head: from then
  // on the request is in flight, waiting for an answer that never comes.
  std::string TakeRequest() {
    client_ = accept(fd_, nullptr, nullptr);
    std::string request;
    char chunk[512];
    while (client_ >= 0 && request.find("\r\n\r\n") == std::string::npos) {
      const ssize_t got = read(client_, chunk, sizeof chunk);
      if (got <= 0) break;
      request.append(chunk, static_cast<size_t>(got));
    }
    return request;
  }

 private:
  int fd_ = -1;
  int client_ = -1;
  uint16_t port_ = 0;
};

class CountingHandler : public IHttpStreamHandler {
 public:
  void OnBody(std::span<const uint8_t> bytes) override { body_bytes += bytes.size(); }
  void OnFailure(const std::string&) override {}
  void OnWake() override {}
  std::atomic<size_t> body_bytes{0};
};

TEST(HttpStreamReaderLive, StopEndsARequestThatWaitsForItsAnswer) {
  SilentDevice device;
  ASSERT_NE(device.Port(), 0);
  CountingHandler handler;
  HttpStreamReader reader(LoopStrand(), {kAddress, device.Port(), "/stream"}, {kHourS, kHourS, 10}, handler);
  reader.Start();
  const std::string request = device.TakeRequest();
  EXPECT_EQ(request.rfind("GET /stream HTTP/1.1\r\n", 0), 0u) << request;
  reader.Stop();
  EXPECT_EQ(handler.body_bytes.load(), 0u);
}

}  // namespace
}  // namespace zor
