// The WebSocket client over real loopback sockets: against the simulator, and against a port
// that accepts connections but never answers the upgrade.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <thread>

#include "drivers/WebSocketClient.h"
#include "support/SimProcess.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

constexpr char kAddress[] = "127.0.0.33";

// A listening socket that never accepts: connections complete in the kernel and then hear
// nothing, like a device that hangs during the upgrade.
class SilentListener {
 public:
  SilentListener() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    inet_pton(AF_INET, kAddress, &a.sin_addr);
    socklen_t length = sizeof a;
    bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(fd_, 8);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length);
    port_ = ntohs(a.sin_port);
  }
  ~SilentListener() { close(fd_); }
  uint16_t Port() const { return port_; }

 private:
  int fd_ = -1;
  uint16_t port_ = 0;
};

TEST(WebSocketClientTest, SendIsRefusedWhileNotOpen) {
  WebSocketClient client;
  EXPECT_FALSE(client.SendText("x"));
  client.SetUrl("ws://127.0.0.33:1");  // nothing listens on port 1
  client.Start();
  EXPECT_FALSE(client.SendText("x"));
  const uint8_t bytes[] = {1, 2};
  EXPECT_FALSE(client.SendBinary(bytes));
  client.Stop();
  EXPECT_FALSE(client.IsOpen());
}

TEST(WebSocketClientTest, StopReturnsPromptlyWhileTheHostDoesNotAnswer) {
  SilentListener silent;
  std::atomic<int> errors{0};
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.33:" + std::to_string(silent.Port()));
  client.SetCallback([&](const WebSocketEvent& e) { errors += e.kind == WebSocketEvent::Kind::Error; });
  client.Start();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // inside the upgrade by now
  std::atomic<bool> stopped{false};
  std::thread stopper([&] {
    client.Stop();
    stopped = true;
  });
  // The upgrade alone would wait 10 s for an answer: Stop must not.
  EXPECT_TRUE(WaitUntil([&] { return stopped.load(); }, 3000));
  stopper.join();
}

TEST(WebSocketClientTest, SendsFromManyThreadsArriveWholeAndInOrderPerThread) {
  test::SimProcess sim({kAddress, 0, {"--size", "160x120"}, {}});
  ASSERT_TRUE(sim.Ready());
  std::atomic<int> opened{0};
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.33:" + std::to_string(sim.Port()));
  client.SetCallback([&](const WebSocketEvent& e) { opened += e.kind == WebSocketEvent::Kind::Open; });
  client.Start();
  ASSERT_TRUE(WaitUntil([&] { return client.IsOpen(); }));
  EXPECT_EQ(opened.load(), 1);

  constexpr int kThreads = 4;
  constexpr int kPerThread = 50;
  std::vector<std::thread> senders;
  for (int t = 0; t < kThreads; ++t) {
    senders.emplace_back([&client, t] {
      for (int i = 0; i < kPerThread; ++i) {
        EXPECT_TRUE(client.SendText(nlohmann::json{{"thread", t}, {"i", i}, {"pad", std::string(200, 'x')}}.dump()));
      }
    });
  }
  for (auto& s : senders) s.join();
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedTexts().size() >= kThreads * kPerThread; }));
  client.Stop();

  std::vector<int> next(kThreads, 0);
  for (const std::string& text : sim.ReceivedTexts()) {
    const auto j = nlohmann::json::parse(text, nullptr, false);
    ASSERT_TRUE(j.is_object()) << text;
    const int t = j["thread"];
    EXPECT_EQ(j["i"], next[t]++);
  }
  for (int n : next) EXPECT_EQ(n, kPerThread);
  ASSERT_TRUE(WaitUntil([&] { return sim.LogLines().back().value("event", "") == "close"; }));
}

TEST(WebSocketClientTest, DeliversBinaryMessagesAndCloseWithTheCode) {
  test::SimProcess sim({kAddress, 0, {"--size", "160x120"}, {}});
  ASSERT_TRUE(sim.Ready());
  std::mutex mutex;
  std::vector<WebSocketEvent::Kind> kinds;
  size_t binary_bytes = 0;
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.33:" + std::to_string(sim.Port()));
  client.SetCallback([&](const WebSocketEvent& e) {
    std::lock_guard lock(mutex);
    kinds.push_back(e.kind);
    if (e.kind == WebSocketEvent::Kind::Message && e.binary) binary_bytes = e.data.size();
  });
  client.Start();
  ASSERT_TRUE(WaitUntil([&] { return client.IsOpen(); }));
  ASSERT_TRUE(client.SendText(R"({"action":"snapshot","quality":50,"type":"SCRCTL"})"));
  ASSERT_TRUE(WaitUntil([&] {
    std::lock_guard lock(mutex);
    return binary_bytes > 0;
  }));
  client.Stop();
  std::lock_guard lock(mutex);
  EXPECT_EQ(kinds.front(), WebSocketEvent::Kind::Open);
  EXPECT_EQ(kinds.back(), WebSocketEvent::Kind::Close);
}

}  // namespace
}  // namespace zor
