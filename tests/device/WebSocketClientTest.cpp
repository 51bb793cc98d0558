// The WebSocket client over real loopback sockets, against the simulator.
#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <thread>

#include "device/NetworkLoop.h"
#include "device/WebSocketClient.h"
#include "support/SimProcess.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

constexpr char kAddress[] = "127.0.0.33";

TEST(WebSocketClientLive, SendIsRefusedWhileNotOpen) {
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

TEST(WebSocketClientLive, StopReturnsPromptlyDuringAStalledUpgrade) {
  test::SimProcess sim({kAddress, 0, {"--fault", "stall"}, {}});
  ASSERT_TRUE(sim.Ready());
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.33:" + std::to_string(sim.Port()));
  client.Start();
  // The simulator took the connection and will never answer the upgrade request.
  ASSERT_TRUE(WaitUntil([&] {
    const auto lines = sim.LogLines();
    return !lines.empty() && lines.back().value("event", "") == "stall";
  }));
  std::atomic<bool> stopped{false};
  std::thread stopper([&] {
    client.Stop();
    stopped = true;
  });
  // Far above what cancelling takes, and below the 10 s upgrade timeout that would otherwise end
  // the wait by itself.
  EXPECT_TRUE(WaitUntil([&] { return stopped.load(); }, 5000));
  stopper.join();
}

TEST(WebSocketClientLive, SendsFromManyThreadsArriveWholeAndInOrderPerThread) {
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

TEST(WebSocketClientLive, DeliversBinaryMessagesAndCloseWithTheCode) {
  test::SimProcess sim({kAddress, 0, {"--size", "160x120"}, {}});
  ASSERT_TRUE(sim.Ready());
  std::mutex mutex;
  std::vector<WebSocketEvent::Kind> kinds;
  size_t binary_bytes = 0;
  std::string close_cause = "none yet";
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.33:" + std::to_string(sim.Port()));
  client.SetCallback([&](const WebSocketEvent& e) {
    std::lock_guard lock(mutex);
    kinds.push_back(e.kind);
    if (e.kind == WebSocketEvent::Kind::Message && e.binary) binary_bytes = e.data.size();
    if (e.kind == WebSocketEvent::Kind::Close) close_cause = e.cause;
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
  EXPECT_EQ(close_cause, "");  // Stop ended it: no failure to report
}

TEST(WebSocketClientLive, TimedTasksRunOnTheIoThreadUntilStopDropsThem) {
  WebSocketClient client;
  EXPECT_FALSE(client.RunAfter(0, [] {})) << "not started: no thread to run it";
  client.SetUrl("ws://127.0.0.33:1");  // nothing listens: the tasks run while it retries
  client.Start();
  std::atomic<bool> ran{false};
  std::atomic<bool> on_loop_thread{false};
  ASSERT_TRUE(client.RunAfter(1, [&] {
    on_loop_thread = NetworkLoop::Shared().OnLoopThread();
    ran = true;
  }));
  ASSERT_TRUE(WaitUntil([&] { return ran.load(); }));
  EXPECT_TRUE(on_loop_thread.load());

  std::atomic<bool> late_ran{false};
  constexpr int kOneHourMs = 3'600'000;
  ASSERT_TRUE(client.RunAfter(kOneHourMs, [&] { late_ran = true; }));
  client.Stop();  // returns at once: a waiting task does not keep the thread
  EXPECT_FALSE(late_ran.load());
  EXPECT_FALSE(client.RunAfter(0, [] {}));
}

TEST(WebSocketClientLive, StopEndsWhileTheIoThreadIsStillSending) {
  test::SimProcess sim({kAddress, 0, {"--size", "160x120"}, {}});
  ASSERT_TRUE(sim.Ready());
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.33:" + std::to_string(sim.Port()));
  client.Start();
  ASSERT_TRUE(WaitUntil([&] { return client.IsOpen(); }));
  // A task on the loop that sends for as long as the client lets it, as the timed
  // reports of a typed text do: Stop must not wait for the thread while blocking its sends.
  std::atomic<bool> sending{false};
  ASSERT_TRUE(client.RunAfter(0, [&] {
    sending = true;
    while (client.IsOpen()) client.SendText("x");
  }));
  ASSERT_TRUE(WaitUntil([&] { return sending.load(); }));
  std::atomic<bool> stopped{false};
  std::thread stopper([&] {
    client.Stop();
    stopped = true;
  });
  EXPECT_TRUE(WaitUntil([&] { return stopped.load(); }));
  stopper.join();
}

// A Stop from the callback runs on a loop thread, where waiting for the run's end could wait for
// itself: it only asks. The next Stop, on the test's thread, waits until the run is over, its
// close event delivered.
TEST(WebSocketClientLive, StopFromTheCallbackOnlyAsksAndTheNextStopWaitsForTheEnd) {
  test::SimProcess sim({kAddress, 0, {"--size", "160x120"}, {}});
  ASSERT_TRUE(sim.Ready());
  WebSocketClient client;
  client.SetUrl("ws://127.0.0.33:" + std::to_string(sim.Port()));
  std::atomic<bool> stopped_in_callback{false};
  std::atomic<bool> closed{false};
  client.SetCallback([&](const WebSocketEvent& event) {
    if (event.kind == WebSocketEvent::Kind::Close) closed = true;
    if (event.kind != WebSocketEvent::Kind::Open) return;
    client.Stop();
    stopped_in_callback = true;
  });
  client.Start();
  ASSERT_TRUE(WaitUntil([&] { return stopped_in_callback.load(); }));
  client.Stop();
  EXPECT_TRUE(closed.load());
}

}  // namespace
}  // namespace zor
