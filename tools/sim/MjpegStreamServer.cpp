// Asio lives only here on the simulated device's stream side.
#include "MjpegStreamServer.h"

#include <boost/asio/read_until.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/streambuf.hpp>
#include <boost/asio/write.hpp>

#include <algorithm>
#include <chrono>
#include <random>

#include "SimListener.h"

namespace zor::sim {
namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

constexpr auto kAwait = asio::as_tuple(asio::use_awaitable);
constexpr char kContentType[] = "multipart/x-mixed-replace; boundary=frame";
// A GET is a few hundred bytes of header lines.
constexpr size_t kMaxRequestBytes = 8 * 1024;
// Parts a "burst" device sends before it falls silent.
constexpr int kBurstParts = 3;
// A lying part announces this many times its real size: far more than any picture, still a
// 32-bit number for screens up to 1080p.
constexpr size_t kLyingLengthFactor = 1000;
// Bytes of the endless header line sent per write.
constexpr size_t kEndlessHeadWriteBytes = 4096;

std::string PeerOf(const tcp::socket& socket) {
  boost::system::error_code ignored;
  const tcp::endpoint remote = socket.remote_endpoint(ignored);
  return remote.address().to_string() + ":" + std::to_string(remote.port());
}

// "GET /path HTTP/1.1" -> "/path"; empty for anything else.
std::string RequestPath(std::string_view head) {
  if (head.substr(0, 4) != "GET ") return {};
  const size_t end = head.find(' ', 4);
  return end == std::string_view::npos ? std::string() : std::string(head.substr(4, end - 4));
}

// One chunk of a chunked body.
std::string Chunk(std::string_view data) {
  char size[24];
  const int digits = std::snprintf(size, sizeof size, "%zx\r\n", data.size());
  std::string chunk(size, static_cast<size_t>(digits));
  chunk.append(data);
  chunk += "\r\n";
  return chunk;
}

}  // namespace

class MjpegStreamServer::Impl {
 public:
  Impl(MjpegStreamConfig config, FrameSource source, EventLog log)
      : config_(std::move(config)), source_(std::move(source)), log_(std::move(log)),
        listener_(config_.address, config_.port, [this](tcp::socket socket) { return Serve(std::move(socket)); }) {}

  SimListener& listener() { return listener_; }

 private:
  using Socket = std::shared_ptr<tcp::socket>;

  asio::awaitable<void> Serve(tcp::socket accepted) {
    auto socket = std::make_shared<tcp::socket>(std::move(accepted));
    boost::system::error_code ignored;
    socket->set_option(tcp::no_delay(true), ignored);
    const std::string peer = PeerOf(*socket);
    asio::steady_timer drop_timer(socket->get_executor());
    if (config_.fault.mode == SimFaultMode::DropEvery) {
      drop_timer.expires_after(std::chrono::seconds(config_.fault.seconds));
      drop_timer.async_wait([socket](const boost::system::error_code& ec) {
        boost::system::error_code ignore;
        if (!ec) socket->close(ignore);
      });
    }
    if (co_await Respond(socket, peer)) log_(peer, "close");
    drop_timer.cancel();
  }

  // Answers one connection; true when a stream was opened ("open" logged), so that probes
  // that only connect are not counted as streams.
  asio::awaitable<bool> Respond(const Socket& socket, const std::string& peer) {
    if (config_.fault.mode == SimFaultMode::StallAfterAccept) {
      log_(peer, "open");
      co_await Drain(socket);
      co_return true;
    }
    std::string head;
    auto [error, size] = co_await asio::async_read_until(*socket, asio::dynamic_buffer(head, kMaxRequestBytes), "\r\n\r\n", kAwait);
    if (error) co_return false;
    if (RequestPath(head) != config_.path) {
      co_await Send(socket, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      co_return false;
    }
    log_(peer, "open");
    if (config_.fault.mode == SimFaultMode::EndlessHead) {
      co_await SendEndlessHead(socket);
      co_return true;
    }
    const std::string response_head = std::string("HTTP/1.1 200 OK\r\nContent-Type: ") + kContentType +
                                      "\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
    if (co_await Send(socket, response_head)) co_await SendParts(socket);
    co_return true;
  }

  asio::awaitable<void> SendParts(const Socket& socket) {
    const bool burst = config_.fault.mode == SimFaultMode::BurstThenSilence;
    const auto interval = std::chrono::nanoseconds(1'000'000'000LL / std::max(1, config_.fps));
    asio::steady_timer pace(socket->get_executor());
    auto next = std::chrono::steady_clock::now();
    for (int sent = 0;;) {
      if (burst && sent >= kBurstParts) co_return co_await Drain(socket);
      if (!burst) {
        pace.expires_at(next);
        auto [error] = co_await pace.async_wait(kAwait);
        if (error) co_return;
        // A client that fell behind gets the current screen next, not a burst of stale parts.
        next = std::max(next + interval, std::chrono::steady_clock::now());
      }
      const auto jpeg = source_();
      if (!jpeg) continue;
      const std::string chunk = Chunk(Part(*jpeg));
      if (!co_await Send(socket, chunk)) co_return;
      ++sent;
      if (config_.parts_per_stream > 0 && sent >= config_.parts_per_stream) {
        co_await Send(socket, "0\r\n\r\n");
        co_return;
      }
    }
  }

  std::string Part(const std::vector<uint8_t>& jpeg) {
    std::string body(jpeg.begin(), jpeg.end());
    if (config_.fault.mode == SimFaultMode::Garbage) {
      std::uniform_int_distribution<int> byte(0, 255);
      for (char& c : body) c = static_cast<char>(byte(random_));
    }
    const size_t announced = config_.fault.mode == SimFaultMode::LyingLength ? body.size() * kLyingLengthFactor : body.size();
    return "--frame\r\nContent-Type: image/jpeg\r\nContent-Length: " + std::to_string(announced) + "\r\n\r\n" + body +
           "\r\n";
  }

  // A header line that never ends, for as long as the client reads it.
  asio::awaitable<void> SendEndlessHead(const Socket& socket) {
    if (!co_await Send(socket, "HTTP/1.1 200 OK\r\nX-Filler: ")) co_return;
    const std::string filler(kEndlessHeadWriteBytes, 'a');
    while (co_await Send(socket, filler)) {
    }
  }

  // Sends nothing; reads and drops what the client sends until it goes.
  asio::awaitable<void> Drain(const Socket& socket) {
    char sink[1024];
    for (;;) {
      auto [error, size] = co_await socket->async_read_some(asio::buffer(sink), kAwait);
      if (error) co_return;
    }
  }

  // False once the connection is gone. A "split-boundary" device sends every byte on its own.
  asio::awaitable<bool> Send(const Socket& socket, std::string_view bytes) {
    const size_t step = config_.fault.mode == SimFaultMode::SplitBoundary ? 1 : bytes.size();
    for (size_t offset = 0; offset < bytes.size(); offset += step) {
      auto [error, size] = co_await asio::async_write(*socket, asio::buffer(bytes.substr(offset, step)), kAwait);
      if (error) co_return false;
    }
    co_return true;
  }

  const MjpegStreamConfig config_;
  const FrameSource source_;
  const EventLog log_;
  std::mt19937 random_{std::random_device{}()};  // listener thread only
  // Last, so that it stops first, while everything its connections use still exists.
  SimListener listener_;
};

MjpegStreamServer::MjpegStreamServer(MjpegStreamConfig config, FrameSource source, EventLog log)
    : impl_(std::make_unique<Impl>(std::move(config), std::move(source), std::move(log))) {}
MjpegStreamServer::~MjpegStreamServer() = default;

bool MjpegStreamServer::Listening() const { return impl_->listener().Listening(); }
const std::string& MjpegStreamServer::Error() const { return impl_->listener().Error(); }
uint16_t MjpegStreamServer::Port() const { return impl_->listener().Port(); }

}  // namespace zor::sim
