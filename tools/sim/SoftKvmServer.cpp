// Beast lives only here on the simulator's side; the rest sees SoftKvmServer through its header.
#include "SoftKvmServer.h"

#include <algorithm>
#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/websocket.hpp>
#include <deque>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

#include "sim/SimScreen.h"
#include "SimListener.h"
#include "SimMessageLog.h"

namespace zor::sim {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Jpeg = std::shared_ptr<const std::vector<uint8_t>>;

constexpr auto kAwait = asio::as_tuple(asio::use_awaitable);
constexpr std::string_view kChannel = "softkvm";

// Control messages are well under a hundred bytes; anything far larger is not a client of ours.
constexpr size_t kMaxControlMessageBytes = 64 * 1024;
// Pictures waiting for a slow reader: beyond this, new pictures are dropped (the newest that
// is already queued goes out first), so a stalled client never makes the simulator grow.
constexpr size_t kMaxQueuedFrames = 2;
// What a request without a value gets.
constexpr int kDefaultSnapshotQuality = 60;
constexpr int kDefaultStreamFps = 15;
constexpr int kDefaultStreamQuality = 70;
// A stalled connection is held this long and then let go, so a client that keeps retrying
// (every 10 s or so, after its upgrade timeout) leaves only a few sockets open at a time.
constexpr auto kStallHold = std::chrono::seconds(60);

struct DeviceContext {
  SimScreen& screen;
  SimMessageLog& log;
  int device_index = 0;
  int max_fps = 30;
  SimFault fault;
};

// The head of one unmasked, final, binary frame carrying `size` payload bytes, as a server
// writes it: what a connection cut in the middle of a message has already sent.
std::vector<uint8_t> BinaryFrameHead(size_t size) {
  std::vector<uint8_t> head = {0x82};
  int length_bytes = 0;
  if (size < 126) {
    head.push_back(static_cast<uint8_t>(size));
  } else if (size <= 0xFFFF) {
    head.push_back(126);
    length_bytes = 2;
  } else {
    head.push_back(127);
    length_bytes = 8;
  }
  for (int i = length_bytes - 1; i >= 0; --i) head.push_back(static_cast<uint8_t>(size >> (8 * i)));
  return head;
}

std::string TextOf(const nlohmann::json& j, const char* key) {
  auto it = j.find(key);
  return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}

int IntOf(const nlohmann::json& j, const char* key, int fallback, int low, int high) {
  auto it = j.find(key);
  if (it == j.end() || !it->is_number_integer()) return fallback;
  return static_cast<int>(std::clamp<int64_t>(it->get<int64_t>(), low, high));
}

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(tcp::socket socket, DeviceContext& device) : ws_(std::move(socket)), device_(device) {
    boost::system::error_code ignored;
    const tcp::endpoint remote = ws_.next_layer().remote_endpoint(ignored);
    peer_ = remote.address().to_string() + ":" + std::to_string(remote.port());
  }

  // A static coroutine holding its own reference, so the connection lives as long as it runs.
  static asio::awaitable<void> Run(std::shared_ptr<Connection> self) { co_await self->Serve(); }

 private:
  asio::awaitable<void> Serve() {
    if (device_.fault.mode == SimFaultMode::StallAfterAccept) {
      co_await Stall();
      co_return;
    }
    if (device_.fault.mode == SimFaultMode::DropEvery) {
      asio::co_spawn(ws_.get_executor(), DropLater(shared_from_this()), asio::detached);
    }
    ws_.set_option(websocket::stream_base::timeout{std::chrono::seconds(30), websocket::stream_base::none(), false});
    websocket::permessage_deflate deflate;
    deflate.server_enable = true;
    deflate.compLevel = 1;  // pictures hardly compress; keep the cost low
    ws_.set_option(deflate);
    ws_.read_message_max(kMaxControlMessageBytes);
    auto [accept_error] = co_await ws_.async_accept(kAwait);
    if (accept_error) co_return;
    device_.log.Event(device_.device_index, kChannel, peer_, "open");

    beast::flat_buffer buffer;
    for (;;) {
      auto [read_error, bytes] = co_await ws_.async_read(buffer, kAwait);
      if (read_error) break;
      const auto data = buffer.data();
      const std::string_view payload(static_cast<const char*>(data.data()), data.size());
      device_.log.Message(device_.device_index, kChannel, peer_, !ws_.got_text(), payload);
      if (ws_.got_text()) Handle(payload);
      buffer.consume(buffer.size());
    }
    ++stream_generation_;  // ends a running stream loop
    drop_timer_.cancel();
    device_.log.Event(device_.device_index, kChannel, peer_, "close");
  }

  // Accepted, and then not a byte read or written: the client's upgrade hangs.
  asio::awaitable<void> Stall() {
    device_.log.Event(device_.device_index, kChannel, peer_, "stall");
    asio::steady_timer hold(ws_.get_executor(), kStallHold);
    co_await hold.async_wait(kAwait);
  }

  static asio::awaitable<void> DropLater(std::shared_ptr<Connection> self) {
    self->drop_timer_.expires_after(std::chrono::seconds(self->device_.fault.seconds));
    auto [error] = co_await self->drop_timer_.async_wait(kAwait);
    if (error) co_return;  // the connection ended first
    self->device_.log.Event(self->device_.device_index, kChannel, self->peer_, "drop");
    self->closing_ = true;
    self->PumpWrites();
  }

  // Ends the connection as a device that goes away does: a close frame when the WebSocket is
  // open, else the bare socket. Only between writes (one write at a time).
  void Close() {
    if (closed_) return;
    closed_ = true;
    if (!ws_.is_open()) {
      boost::system::error_code ignored;
      ws_.next_layer().close(ignored);
      return;
    }
    ws_.async_close(websocket::close_reason(websocket::close_code::going_away, "simulated drop"),
                    [self = shared_from_this()](const boost::system::error_code&) {});
  }

  // Writes the frame head and half the picture straight to the socket, then closes it.
  void CutMidMessage(const Jpeg& jpeg) {
    device_.log.Event(device_.device_index, kChannel, peer_, "cut");
    auto bytes = std::make_shared<std::vector<uint8_t>>(BinaryFrameHead(jpeg->size()));
    bytes->insert(bytes->end(), jpeg->begin(), jpeg->begin() + static_cast<std::ptrdiff_t>(jpeg->size() / 2));
    closed_ = true;
    asio::async_write(ws_.next_layer(), asio::buffer(*bytes),
                      [self = shared_from_this(), bytes](const boost::system::error_code&, size_t) {
                        boost::system::error_code ignored;
                        self->ws_.next_layer().shutdown(tcp::socket::shutdown_both, ignored);
                        self->ws_.next_layer().close(ignored);
                      });
  }

  // The picture to send: the screen's JPEG, or as many random bytes in the garbage mode.
  Jpeg Picture(int quality) {
    Jpeg jpeg = device_.screen.Jpeg(quality);
    if (!jpeg || device_.fault.mode != SimFaultMode::Garbage) return jpeg;
    auto garbage = std::make_shared<std::vector<uint8_t>>(jpeg->size());
    std::uniform_int_distribution<int> byte(0, 255);
    for (uint8_t& b : *garbage) b = static_cast<uint8_t>(byte(random_));
    return garbage;
  }

  void Handle(std::string_view text) {
    const nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
    if (!j.is_object()) return;
    const std::string type = TextOf(j, "type");
    const std::string action = TextOf(j, "action");
    if (type == "SCRCTL") {
      if (action == "snapshot") SendFrame(IntOf(j, "quality", kDefaultSnapshotQuality, 1, 100));
      if (action == "stream") {
        StartStream(IntOf(j, "fps", kDefaultStreamFps, 1, device_.max_fps),
                    IntOf(j, "quality", kDefaultStreamQuality, 1, 100));
      }
      if (action == "stop_stream") ++stream_generation_;
    } else if (type == "CONTROL") {
      Input(action, j);
    }
  }

  void Input(const std::string& action, const nlohmann::json& j) {
    SimScreen& screen = device_.screen;
    if (action == "move") {
      auto x = j.find("x");
      auto y = j.find("y");
      if (x != j.end() && y != j.end() && x->is_number_integer() && y->is_number_integer()) {
        screen.MoveTo(static_cast<int32_t>(std::clamp<int64_t>(x->get<int64_t>(), INT32_MIN, INT32_MAX)),
                      static_cast<int32_t>(std::clamp<int64_t>(y->get<int64_t>(), INT32_MIN, INT32_MAX)));
      }
    }
    if (action == "down" || action == "up") {
      screen.Button(TextOf(j, "button"), action == "down");
      Decoded({{"ok_clicks", screen.OkClicks()}, {"toggle_clicks", screen.ToggleClicks()}});
    }
    if (action == "wheel") screen.Wheel(TextOf(j, "direction") == "down");
    if (action == "keydown" || action == "keyup") {
      screen.Key(TextOf(j, "key"), action == "keydown");
      Decoded({{"field", screen.FieldText()}});
    }
  }

  // What an input message did to the screen, on the line after the message itself.
  void Decoded(const nlohmann::ordered_json& fields) {
    device_.log.Decoded(device_.device_index, kChannel, peer_, fields);
  }

  // A new "stream" replaces the running one with the new rate and quality.
  void StartStream(int fps, int quality) {
    const uint64_t generation = ++stream_generation_;
    asio::co_spawn(ws_.get_executor(), StreamLoop(shared_from_this(), generation, fps, quality), asio::detached);
  }

  static asio::awaitable<void> StreamLoop(std::shared_ptr<Connection> self, uint64_t generation, int fps, int quality) {
    asio::steady_timer timer(self->ws_.get_executor());
    const auto interval = std::chrono::milliseconds(1000 / fps);
    auto next = std::chrono::steady_clock::now();
    while (self->stream_generation_ == generation) {
      self->SendFrame(quality);
      // A late tick (a slow encode) starts a new schedule instead of sending a burst.
      next = std::max(next + interval, std::chrono::steady_clock::now());
      timer.expires_at(next);
      co_await timer.async_wait(kAwait);
    }
  }

  void SendFrame(int quality) {
    if (closing_ || closed_ || queue_.size() >= kMaxQueuedFrames) return;
    Jpeg jpeg = Picture(quality);
    if (!jpeg) return;
    queue_.push_back(std::move(jpeg));
    PumpWrites();
  }

  // One write in flight at a time, as the stream requires.
  void PumpWrites() {
    if (writing_ || closed_) return;
    if (closing_) return Close();
    if (queue_.empty()) return;
    writing_ = true;
    Jpeg front = queue_.front();
    if (device_.fault.mode == SimFaultMode::CloseMidMessage) return CutMidMessage(front);
    ws_.binary(true);
    ws_.async_write(asio::buffer(*front), [self = shared_from_this(), front](const boost::system::error_code& error, size_t) {
      self->writing_ = false;
      self->queue_.pop_front();
      if (!error) self->PumpWrites();
    });
  }

  websocket::stream<tcp::socket> ws_;
  DeviceContext& device_;
  std::string peer_;
  std::deque<Jpeg> queue_;
  bool writing_ = false;
  bool closing_ = false;  // the drop is due: close once the write in flight is done
  bool closed_ = false;   // closed or cut: nothing more is written
  uint64_t stream_generation_ = 0;  // a stream loop runs while its generation is current
  asio::steady_timer drop_timer_{ws_.get_executor()};
  std::minstd_rand random_{std::random_device{}()};
};

}  // namespace

class SoftKvmServer::Impl {
 public:
  Impl(const SoftKvmServerConfig& config, SimScreen& screen, SimMessageLog& log)
      : device_{screen, log, config.device_index, std::max(1, config.max_fps), config.fault},
        listener_(config.address, config.port, [this](tcp::socket socket) {
          return Connection::Run(std::make_shared<Connection>(std::move(socket), device_));
        }) {}

  DeviceContext device_;
  SimListener listener_;  // last: its connections use device_
};

SoftKvmServer::SoftKvmServer(const SoftKvmServerConfig& config, SimScreen& screen, SimMessageLog& log)
    : impl_(std::make_unique<Impl>(config, screen, log)) {}
SoftKvmServer::~SoftKvmServer() = default;

bool SoftKvmServer::Listening() const { return impl_->listener_.Listening(); }
const std::string& SoftKvmServer::Error() const { return impl_->listener_.Error(); }
uint16_t SoftKvmServer::Port() const { return impl_->listener_.Port(); }

}  // namespace zor::sim
