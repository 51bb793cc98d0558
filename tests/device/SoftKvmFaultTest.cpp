// SoftKvmDriver against peers that misbehave, over real loopback sockets: the simulator's fault
// modes, a port nobody listens on and HTTP servers that are no WebSocket agent. For each the
// driver names the cause, stays bounded in memory, disconnects promptly, and streams again once
// a healthy agent answers on the same port.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "device/SoftKvmDriver.h"
#include "support/RecordingOwner.h"
#include "support/RefusingPort.h"
#include "support/ResidentMemory.h"
#include "support/SimProcess.h"
#include "support/Wait.h"

namespace zor {
namespace {

using test::WaitUntil;

constexpr char kAddress[] = "127.0.0.47";
constexpr char16_t kWideAddress[] = u"127.0.0.47";

// Long enough for the slowest cause to show: a stalled upgrade ends after the client's 10 s
// handshake timeout, and a sanitizer build on a loaded machine is slow.
constexpr int kCauseTimeoutMs = 40000;
// Disconnect cancels whatever is in progress at once. This limit is far above that and below
// the 10 s upgrade timeout that would end a stalled attempt without any cancelling.
constexpr int kPromptMs = 5000;
// Growth allowed while a fault lasts: one largest message the client accepts (32 MiB) plus
// room for the allocator. A leak per message or per attempt exceeds it within the test.
constexpr uint64_t kMemoryAllowanceBytes = 64ull << 20;

// Records, with every frame, the last error the driver held when that frame arrived: the cause
// of a gap that the driver recovered from by itself.
class ErrorWatchingOwner : public test::RecordingOwner {
 public:
  using RecordingOwner::RecordingOwner;
  void Watch(const DeviceDriver* driver) { driver_ = driver; }
  void OnFrame(FramePtr frame) override {
    if (const DeviceDriver* driver = driver_.load()) {
      std::string error = driver->LastError();
      std::lock_guard lock(mutex_);
      if (!error.empty()) errors_before_frames_.push_back(std::move(error));
    }
    RecordingOwner::OnFrame(std::move(frame));
  }
  bool SawBeforeAFrame(const std::string& error) const {
    std::lock_guard lock(mutex_);
    return std::find(errors_before_frames_.begin(), errors_before_frames_.end(), error) != errors_before_frames_.end();
  }

 private:
  std::atomic<const DeviceDriver*> driver_{nullptr};
  mutable std::mutex mutex_;
  std::vector<std::string> errors_before_frames_;
};

// A misbehaving peer on a port of its own choosing; it ends when `running` is released.
struct Peer {
  std::shared_ptr<void> running;
  uint16_t port = 0;
};

// The simulator misbehaving as its arguments say.
std::function<Peer()> Sim(std::vector<std::string> args) {
  return [args] {
    auto sim = std::make_shared<test::SimProcess>(test::SimProcessOptions{kAddress, 0, args, {}});
    EXPECT_TRUE(sim->Ready()) << sim->Messages();
    return Peer{sim, sim->Port()};
  };
}

Peer NothingListening() {
  auto port = std::make_shared<test::RefusingPort>(kAddress);
  EXPECT_NE(port->Port(), 0);
  return Peer{port, port->Port()};
}

// An HTTP server that answers the upgrade request with `status` and nothing a WebSocket needs.
std::function<Peer()> HttpServer(int status) {
  return [status] {
    auto server = std::make_shared<httplib::Server>();
    // httplib's default on Linux is SO_REUSEPORT alone. A connection it closes first then
    // leaves a TIME_WAIT without SO_REUSEADDR, which keeps the healthy agent from binding the
    // port after it; with SO_REUSEADDR on both sides the port is taken over at once.
    server->set_socket_options([](socket_t socket) {
      const int yes = 1;
      setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server->Get("/", [status](const httplib::Request&, httplib::Response& response) { response.status = status; });
    const int port = server->bind_to_any_port(kAddress);
    EXPECT_GT(port, 0);
    auto thread = std::make_shared<std::thread>([server] { server->listen_after_bind(); });
    auto running = std::shared_ptr<void>(nullptr, [server, thread](void*) {
      server->stop();
      thread->join();
    });
    return Peer{running, static_cast<uint16_t>(port)};
  };
}

// Runs `call` on another thread; true when it returned within kPromptMs.
bool ReturnsPromptly(const std::function<void()>& call) {
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::thread caller([call, done] {
    call();
    *done = true;
  });
  const bool prompt = WaitUntil([&] { return done->load(); }, kPromptMs);
  caller.join();  // a hang still ends the test here, after the failure is recorded
  return prompt;
}

struct FaultCase {
  const char* name;
  std::function<Peer()> start_faulty_peer;
  std::string expected_error;
};

TEST(SoftKvmFaultLive, EachFaultIsNamedBoundedAndOutlived) {
  const std::vector<FaultCase> cases = {
      {"nothing listens", NothingListening, "connection refused"},
      {"not a WebSocket server", HttpServer(404), "upgrade refused: HTTP status 404"},
      {"switches protocols without the WebSocket headers", HttpServer(101), "bad WebSocket handshake"},
      {"garbage instead of JPEG", Sim({"--fault", "garbage"}), "not a JPEG picture"},
      {"stall after accepting", Sim({"--fault", "stall"}), "WebSocket handshake timed out"},
      {"close in the middle of a message", Sim({"--fault", "close-mid-message"}), "closed by the peer"},
      {"drop every second", Sim({"--fault", "drop:1"}), "closed by the peer (code 1001 simulated drop)"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    Peer faulty = c.start_faulty_peer();
    const uint16_t port = faulty.port;
    ErrorWatchingOwner owner(test::SoftKvmDevice(kWideAddress, port, 160, 120));
    auto driver = std::make_unique<SoftKvmDriver>(owner);
    owner.Watch(driver.get());
    const uint64_t memory_before = test::ResidentBytes();
    driver->Connect();
    // A drop recovers by itself, so its cause may show only on the frame after it.
    const auto reported = [&] {
      return driver->LastError() == c.expected_error || owner.SawBeforeAFrame(c.expected_error);
    };
    EXPECT_TRUE(WaitUntil(reported, kCauseTimeoutMs)) << "last error: " << driver->LastError();
    EXPECT_LT(test::ResidentBytes(), memory_before + kMemoryAllowanceBytes * test::kSanitizerMemoryFactor);
    EXPECT_TRUE(ReturnsPromptly([&] { driver->Disconnect(); }));
    driver->Connect();

    faulty.running.reset();  // the fault ends: a healthy agent comes up on the same port
    test::SimProcess healthy({kAddress, port, {"--size", "160x120"}, {}});
    ASSERT_TRUE(healthy.Ready()) << healthy.Messages();
    const size_t frames = owner.FrameCount();
    EXPECT_TRUE(WaitUntil([&] { return owner.FrameCount() > frames && driver->LastError().empty(); }, kCauseTimeoutMs));
    EXPECT_TRUE(ReturnsPromptly([&] { driver.reset(); }));
  }
}

}  // namespace
}  // namespace zor
