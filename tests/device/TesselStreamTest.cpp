// The hardware device driver's picture side against real peers on loopback: zorkvm-sim, ffmpeg
// as an independent MJPEG server, and a listener that leaves connection attempts unanswered.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "device/DeliveryRate.h"
#include "device/TesselLiteDriver.h"
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

// Disconnect before any Connect does nothing; one that comes before the stream reader has
// started reading still ends it.
TEST(TesselStreamLive, DisconnectWithoutOrRightAfterConnectReturns) {
  RecordingOwner owner(test::TesselDevice("127.0.0.1", 1));
  TesselLiteDriver driver(owner);
  driver.Disconnect();
  for (int i = 0; i < 50; ++i) {
    driver.Connect();
    driver.Disconnect();
  }
  EXPECT_EQ(owner.FrameCount(), 0u);
}

// A listener whose accept queue is full: the system drops the SYN of every further connection
// attempt, which stays unanswered (and is retransmitted) until MakeRoom().
class UnansweringListener {
 public:
  explicit UnansweringListener(const std::string& address) : address_(address) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa = Endpoint(0);
    bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    listen(fd_, 0);  // room for one connection that nobody accepts
    socklen_t length = sizeof sa;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &length);
    port_ = ntohs(sa.sin_port);
    filler_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sa = Endpoint(port_);
    connect(filler_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  }
  ~UnansweringListener() {
    shutdown(fd_, SHUT_RDWR);
    if (acceptor_.joinable()) acceptor_.join();
    for (int fd : {fd_, filler_, client_}) {
      if (fd >= 0) close(fd);
    }
  }

  uint16_t port() const { return port_; }

  // Retransmissions of the oldest unanswered SYN to this listener; -1 while there is none.
  int SynRetransmissions() const {
    std::ifstream table("/proc/net/tcp");
    std::string line;
    // The table writes the address as the number in memory order, then the port.
    char remote[16];
    std::snprintf(remote, sizeof remote, "%08X:%04X", Endpoint(0).sin_addr.s_addr, port_);
    while (std::getline(table, line)) {
      std::istringstream fields(line);
      std::string slot, local, remote_address, state, queues, timer, retransmits;
      fields >> slot >> local >> remote_address >> state >> queues >> timer >> retransmits;
      if (state == "02" && remote_address == remote) return static_cast<int>(std::stoul(retransmits, nullptr, 16));
    }
    return -1;
  }

  // Takes the connection that filled the queue, so the next retransmitted SYN is answered, and
  // accepts that connection and reads its request.
  void MakeRoom() {
    close(accept(fd_, nullptr, nullptr));
    acceptor_ = std::thread([this] {
      client_ = accept(fd_, nullptr, nullptr);
      char request[4096];
      if (client_ >= 0 && recv(client_, request, sizeof request, 0) > 0) request_seen_ = true;
    });
  }
  bool request_seen() const { return request_seen_; }

 private:
  sockaddr_in Endpoint(uint16_t port) const {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    inet_pton(AF_INET, address_.c_str(), &sa.sin_addr);
    return sa;
  }

  std::string address_;
  int fd_ = -1;
  int filler_ = -1;
  int client_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> request_seen_{false};
  std::thread acceptor_;
};

// A driver connecting to a device whose listen queue is full, so that its attempt hangs. The
// device gets a loopback address of its own, as the driver's input channel is on port 80.
class TesselConnectAttemptLive : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string address = test::FreeLoopbackAddress(80);
    ASSERT_FALSE(address.empty());
    device_ = std::make_unique<UnansweringListener>(address);
    owner_ = std::make_unique<RecordingOwner>(test::TesselDevice(address, device_->port()));
    driver_ = std::make_unique<TesselLiteDriver>(*owner_);
    driver_->Connect();
  }

  std::unique_ptr<UnansweringListener> device_;
  std::unique_ptr<RecordingOwner> owner_;
  std::unique_ptr<TesselLiteDriver> driver_;
};

// A device whose answer to the SYN is lost once (its first retransmission comes after 1 s) is
// still reached by the first connection attempt.
TEST_F(TesselConnectAttemptLive, SlowConnectionIsWaitedFor) {
  ASSERT_TRUE(test::WaitUntil([&] { return device_->SynRetransmissions() >= 1; })) << "the SYN was never retransmitted";
  device_->MakeRoom();
  ASSERT_TRUE(test::WaitUntil([&] { return device_->request_seen(); }));
  EXPECT_EQ(driver_->LastError(), "") << "the connection attempt was given up";
  driver_->Disconnect();
}

TEST_F(TesselConnectAttemptLive, DisconnectEndsAConnectionAttemptAtOnce) {
  ASSERT_TRUE(test::WaitUntil([&] { return device_->SynRetransmissions() >= 0; }));
  driver_->Disconnect();
  // A Disconnect that waited for the attempt would have seen it end in its connect timeout.
  EXPECT_NE(driver_->LastError(), "timed out");
  EXPECT_EQ(device_->SynRetransmissions(), -1) << "the attempt goes on after Disconnect";
}

TEST(TesselStreamLive, FfmpegPeerFramesArriveDecoded) {
  const std::string ffmpeg = "/usr/bin/ffmpeg";
  if (!std::filesystem::exists(ffmpeg)) GTEST_SKIP() << "ffmpeg is not installed (apt-get install ffmpeg)";
  const std::string address = test::FreeLoopbackAddress(80);
  ASSERT_FALSE(address.empty());
  const uint16_t port = test::PickFreePort(address);
  const std::string url = "http://" + address + ":" + std::to_string(port) + "/api/stream/mjpeg";
  // A chunked body whose parts say "Content-length".
  test::ChildProcess peer({ffmpeg, "-nostdin", "-loglevel", "error", "-re", "-f", "lavfi", "-i",
                                   "testsrc2=size=640x360:rate=15", "-f", "mpjpeg", "-boundary_tag", "frame",
                           "-listen", "1", url},
                          "", "/dev/null");
  ASSERT_TRUE(peer.Started());

  RecordingOwner owner(test::TesselDevice(address, port, 640, 360));
  TesselLiteDriver driver(owner);
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

TEST(TesselStreamLive, EndedStreamsAreRequestedAgainAfterAPause) {
  test::TesselSim sim({"--fps", "20", "--size", "320x240", "--parts-per-stream", "3"});
  ASSERT_TRUE(sim.Ready());
  RecordingOwner owner(sim.Device());
  TesselLiteDriver driver(owner);
  driver.StartStream();
  driver.Connect();
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
  for (size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], TesselLiteDriver::kRetryPauseMs);
  // Every stream's last part is shown too, without a next boundary.
  EXPECT_GE(owner.FrameCount(), 3u);
}

// A device that sends three parts straight after the response head and then nothing: the last
// one is shown when its interval is up, during that very stream, not after the read timeout
// has ended it.
TEST(TesselStreamLive, BurstIsShownBeforeTheDeviceFallsSilent) {
  test::TesselSim sim({"--size", "320x240", "--fault", "burst"});
  ASSERT_TRUE(sim.Ready());
  DeviceInfo device = sim.Device(320, 240);
  device.ThumbFps = 1;  // the whole burst comes within the first interval
  RecordingOwner owner(device);
  TesselLiteDriver driver(owner);
  driver.Connect();
  ASSERT_TRUE(test::WaitUntil([&] { return owner.FrameCount() >= 1; }, 4 * TesselLiteDriver::kReadTimeoutS * 1000));
  const auto streams = sim.LinesWith("event");
  driver.Disconnect();
  EXPECT_EQ(std::count_if(streams.begin(), streams.end(),
                          [](const auto& j) { return j["channel"] == "mjpeg" && j["event"] == "open"; }),
            1);
}

TEST(TesselStreamLive, RefusedConnectionsAreRetriedUntilTheDeviceAnswers) {
  test::TesselSim sim({"--fps", "20", "--size", "320x240"});
  ASSERT_TRUE(sim.Ready());
  sim.Kill();
  RecordingOwner owner(sim.Device());
  TesselLiteDriver driver(owner);
  driver.Connect();
  ASSERT_TRUE(test::WaitUntil([&] { return driver.LastError() == "connection refused"; })) << driver.LastError();
  EXPECT_EQ(owner.FrameCount(), 0u);
  ASSERT_TRUE(sim.Start());
  EXPECT_TRUE(test::WaitUntil([&] { return owner.FrameCount() >= 2; }));
  EXPECT_EQ(driver.LastError(), "");
  driver.Disconnect();
}

// A device type without a stream path asks for "/", which the device does not serve.
TEST(TesselStreamLive, AnswerOtherThanOkIsTheLastError) {
  test::TesselSim sim({"--size", "320x240"});
  ASSERT_TRUE(sim.Ready());
  DeviceInfo device = sim.Device();
  device.Type = 99;
  RecordingOwner owner(device);
  TesselLiteDriver driver(owner);
  driver.Connect();
  EXPECT_TRUE(test::WaitUntil([&] { return driver.LastError() == "HTTP status 404"; })) << driver.LastError();
  driver.Disconnect();
}

}  // namespace
}  // namespace zor
