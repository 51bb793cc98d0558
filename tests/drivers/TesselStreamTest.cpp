// The hardware device driver's picture side against real peers on loopback: zorkvm-sim, ffmpeg
// as an independent MJPEG server, and a silent server that accepts the request and never answers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "drivers/DeliveryRate.h"
#include "drivers/TesselLite.h"
#include "platform/Clock.h"
#include "support/ChildProcess.h"
#include "support/LoopbackAddress.h"
#include "support/RecordingOwner.h"
#include "support/SimProcess.h"
#include "support/TesselSim.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::RecordingOwner;

TEST(TesselDelivery, IntervalsFromTheRecord) {
  struct Case {
    uint32_t full_fps;
    uint32_t thumb_fps;
    int32_t full_ms;
    int32_t thumb_ms;
  };
  const Case cases[] = {
      {0, 0, 33, 200},     // not positive: 30 and 5 frames per second
      {15, 4, 66, 250},    // a new record's rates
      {1000, 1000, 1, 1},
      {3000, 7, 0, 142},   // faster than 1 ms: every frame
      {0x80000000u, 0xFFFFFFFFu, 33, 200},  // past the signed range counts as not positive
  };
  for (const Case& c : cases) {
    DeviceInfo d;
    d.FullFps = c.full_fps;
    d.ThumbFps = c.thumb_fps;
    const DeliveryIntervals intervals = DeliveryIntervalsFor(&d);
    EXPECT_EQ(intervals.full_control_ms, c.full_ms) << c.full_fps;
    EXPECT_EQ(intervals.thumbnail_ms, c.thumb_ms) << c.thumb_fps;
  }
  const DeliveryIntervals none = DeliveryIntervalsFor(nullptr);
  EXPECT_EQ(none.full_control_ms, 33);
  EXPECT_EQ(none.thumbnail_ms, 200);
}

TEST(TesselStream, DisconnectBeforeConnectReturns) {
  RecordingOwner owner(test::TesselDevice("127.0.0.1", 1));
  TesselLite driver(owner);
  driver.Disconnect();
  driver.Disconnect();
  EXPECT_EQ(owner.FrameCount(), 0u);
}

// A server that accepts one connection, reads the request and then sends nothing at all, so
// that the client sits in a blocking read.
class SilentServer {
 public:
  explicit SilentServer(const std::string& address) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
    bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    listen(fd_, 4);
    socklen_t length = sizeof sa;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &length);
    port_ = ntohs(sa.sin_port);
    thread_ = std::thread([this] {
      client_ = accept(fd_, nullptr, nullptr);
      char request[4096];
      if (client_ >= 0 && recv(client_, request, sizeof request, 0) > 0) request_seen_ = true;
    });
  }
  ~SilentServer() {
    shutdown(fd_, SHUT_RDWR);
    thread_.join();
    if (client_ >= 0) close(client_);
    close(fd_);
  }
  uint16_t port() const { return port_; }
  bool request_seen() const { return request_seen_; }

 private:
  int fd_ = -1;
  int client_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> request_seen_{false};
  std::thread thread_;
};

TEST(TesselStream, DisconnectWhileBlockedInAReadReturnsPromptly) {
  const std::string address = test::FreeLoopbackAddress(80);
  ASSERT_FALSE(address.empty());
  SilentServer server(address);
  RecordingOwner owner(test::TesselDevice(address, server.port()));
  TesselLite driver(owner);
  driver.Connect();
  for (int i = 0; i < 500 && !server.request_seen(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(server.request_seen());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // into the blocking read
  const auto start = std::chrono::steady_clock::now();
  driver.Disconnect();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::seconds(1));
}

TEST(TesselStream, FfmpegPeerFramesArriveDecoded) {
  const std::string ffmpeg = "/usr/bin/ffmpeg";
  if (!std::filesystem::exists(ffmpeg)) GTEST_SKIP() << "ffmpeg is not installed (apt-get install ffmpeg)";
  const std::string address = test::FreeLoopbackAddress(80);
  ASSERT_FALSE(address.empty());
  const uint16_t port = test::PickFreePort(address);
  const std::string url = "http://" + address + ":" + std::to_string(port) + "/api/stream/mjpeg";
  test::ChildProcess peer({ffmpeg, "-nostdin", "-loglevel", "error", "-re", "-f", "lavfi", "-i",
                                   "testsrc2=size=640x360:rate=15", "-f", "mpjpeg", "-boundary_tag", "frame",
                           "-listen", "1", url},
                          "", "/dev/null");
  ASSERT_TRUE(peer.Started());

  RecordingOwner owner(test::TesselDevice(address, port, 640, 360));
  TesselLite driver(owner);
  driver.StartStream();
  driver.Connect();
  // ffmpeg serves a single client and is not probed before: the driver's requests are refused
  // until ffmpeg listens, and retried every 500 ms.
  ASSERT_TRUE(test::WaitUntil([&] { return owner.FrameCount() >= 3; }, 20000)) << "no frames from ffmpeg";
  driver.Disconnect();
  const ScreenImage& image = *owner.Last();
  ASSERT_EQ(image.width, 640u);
  ASSERT_EQ(image.height, 360u);
  ASSERT_EQ(image.pixels.size(), 640u * 360u * 4u);
  // The test pattern is colourful: a decoded picture is far from a flat fill.
  const auto [low, high] = std::minmax_element(image.pixels.begin(), image.pixels.end());
  EXPECT_GT(*high - *low, 100);
}

// Gaps between consecutive deliveries of frames [first, end), in milliseconds.
std::vector<double> GapsMs(const std::vector<int64_t>& times_ns, size_t first, size_t end) {
  std::vector<double> gaps;
  for (size_t i = std::max<size_t>(first, 1); i < end && i < times_ns.size(); ++i) {
    gaps.push_back(static_cast<double>(times_ns[i] - times_ns[i - 1]) / 1e6);
  }
  return gaps;
}

bool WaitForFrames(RecordingOwner& owner, size_t count) {
  return test::WaitUntil([&] { return owner.FrameCount() >= count; }, 10000);
}

// Deliveries are paced on arrival, before decoding; the times recorded here come after it, so
// a gap may look shorter by the difference of two decoding times.
constexpr double kDecodeJitterMs = 40;

TEST(TesselStream, StartAndStopStreamSwitchTheRateWhileStreaming) {
  test::TesselSim sim({"--fps", "30", "--size", "640x360"});
  ASSERT_TRUE(sim.Ready());
  DeviceInfo device = sim.Device(640, 360);
  device.FullFps = 20;  // 50 ms
  device.ThumbFps = 4;  // 250 ms
  RecordingOwner owner(device);
  TesselLite driver(owner);
  driver.Connect();
  ASSERT_TRUE(WaitForFrames(owner, 4));
  const size_t fast_from = owner.FrameCount();
  driver.StartStream();
  ASSERT_TRUE(WaitForFrames(owner, fast_from + 12));
  const size_t slow_from = owner.FrameCount();
  driver.StopStream();
  ASSERT_TRUE(WaitForFrames(owner, slow_from + 3));
  driver.Disconnect();

  const auto frames = owner.FrameTimesNs();
  for (double gap : GapsMs(frames, 1, fast_from)) EXPECT_GE(gap, 250 - kDecodeJitterMs);
  const auto fast = GapsMs(frames, fast_from + 1, slow_from);
  for (double gap : fast) EXPECT_GE(gap, 50 - kDecodeJitterMs);
  double fast_total = 0;
  for (double gap : fast) fast_total += gap;
  EXPECT_LT(fast_total / static_cast<double>(fast.size()), 200) << "the full-control rate did not take over";
  for (double gap : GapsMs(frames, slow_from + 1, frames.size())) EXPECT_GE(gap, 250 - kDecodeJitterMs);
  EXPECT_EQ(owner.Last()->width, 640u);
}

TEST(TesselStream, EndedStreamsAreRequestedAgainAfterAPause) {
  test::TesselSim sim({"--fps", "20", "--size", "320x240", "--parts-per-stream", "3"});
  ASSERT_TRUE(sim.Ready());
  RecordingOwner owner(sim.Device());
  TesselLite driver(owner);
  driver.StartStream();
  driver.Connect();
  // A part is delivered once the next one starts, so each stream of three gives two frames.
  const auto opens = [&] {
    std::vector<double> times;
    for (const auto& j : sim.LinesWith("event")) {
      if (j["channel"] == "mjpeg" && j["event"] == "open") times.push_back(j["time_ms"].get<double>());
    }
    return times;
  };
  test::WaitUntil([&] { return opens().size() >= 3; });
  driver.Disconnect();
  const auto times = opens();
  ASSERT_GE(times.size(), 3u);
  for (size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], TesselLite::kRetryPauseMs);
  EXPECT_GE(owner.FrameCount(), 2u);
}

TEST(TesselStream, RefusedConnectionsAreRetriedUntilTheDeviceAnswers) {
  test::TesselSim sim({"--fps", "20", "--size", "320x240"});
  ASSERT_TRUE(sim.Ready());
  sim.Kill();
  RecordingOwner owner(sim.Device());
  TesselLite driver(owner);
  driver.Connect();
  SleepMs(3 * TesselLite::kRetryPauseMs);  // several refused attempts
  EXPECT_EQ(owner.FrameCount(), 0u);
  ASSERT_TRUE(sim.Start());
  EXPECT_TRUE(WaitForFrames(owner, 2));
  driver.Disconnect();
  const size_t after_disconnect = owner.FrameCount();
  SleepMs(300);
  EXPECT_EQ(owner.FrameCount(), after_disconnect);
}

}  // namespace
}  // namespace zor
