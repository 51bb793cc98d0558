// Beast lives only here on the simulated hardware device's side.
#include "TesselHidServer.h"

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <thread>

namespace zor::sim {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

constexpr auto kAwait = asio::as_tuple(asio::use_awaitable);
// Reports are 7 and 9 bytes; a client sending far more is not a client of this device.
constexpr size_t kMaxMessageBytes = 1024;
// An upgrade request is a few hundred bytes of header lines.
constexpr uint32_t kMaxRequestHeaderBytes = 8 * 1024;

std::string PeerOf(const tcp::socket& socket) {
  boost::system::error_code ignored;
  const tcp::endpoint remote = socket.remote_endpoint(ignored);
  return remote.address().to_string() + ":" + std::to_string(remote.port());
}

}  // namespace

class TesselHidServer::Impl {
 public:
  Impl(const TesselHidServerConfig& config, Handler handler) : path_(config.path), handler_(std::move(handler)) {
    try {
      const tcp::endpoint endpoint(asio::ip::make_address(config.address), config.port);
      acceptor_.open(endpoint.protocol());
      // A restarted simulator takes its address back at once.
      acceptor_.set_option(asio::socket_base::reuse_address(true));
      acceptor_.bind(endpoint);
      acceptor_.listen();
      port_ = acceptor_.local_endpoint().port();
    } catch (const std::exception& e) {
      error_ = e.what();
      return;
    }
    asio::co_spawn(ioc_, AcceptLoop(), asio::detached);
    thread_ = std::thread([this] { ioc_.run(); });
  }

  ~Impl() {
    ioc_.stop();
    if (thread_.joinable()) thread_.join();
  }

  asio::awaitable<void> AcceptLoop() {
    for (;;) {
      auto [error, socket] = co_await acceptor_.async_accept(kAwait);
      if (error == asio::error::operation_aborted) co_return;
      if (error) continue;
      asio::co_spawn(ioc_, Serve(std::move(socket)), asio::detached);
    }
  }

  asio::awaitable<void> Serve(tcp::socket socket) {
    const std::string peer = PeerOf(socket);
    beast::flat_buffer buffer;
    http::request_parser<http::empty_body> parser;
    parser.header_limit(kMaxRequestHeaderBytes);
    auto [read_error, read_bytes] = co_await http::async_read(socket, buffer, parser, kAwait);
    if (read_error) co_return;
    const auto& request = parser.get();
    if (!websocket::is_upgrade(request) || request.target() != path_) {
      http::response<http::empty_body> not_found{http::status::not_found, request.version()};
      not_found.keep_alive(false);
      co_await http::async_write(socket, not_found, kAwait);
      co_return;
    }
    websocket::stream<tcp::socket> ws(std::move(socket));
    ws.set_option(websocket::stream_base::timeout::suggested(beast::role_type::server));
    ws.read_message_max(kMaxMessageBytes);
    auto [accept_error] = co_await ws.async_accept(request, kAwait);
    if (accept_error) co_return;
    handler_(peer, "open", false, {});
    buffer.clear();
    for (;;) {
      auto [error, bytes] = co_await ws.async_read(buffer, kAwait);
      if (error) break;
      const auto data = buffer.data();
      handler_(peer, "message", !ws.got_text(), std::string_view(static_cast<const char*>(data.data()), data.size()));
      buffer.consume(buffer.size());
    }
    handler_(peer, "close", false, {});
  }

  const std::string path_;
  const Handler handler_;
  asio::io_context ioc_{1};
  tcp::acceptor acceptor_{ioc_};
  std::thread thread_;
  uint16_t port_ = 0;
  std::string error_;
};

TesselHidServer::TesselHidServer(const TesselHidServerConfig& config, Handler handler)
    : impl_(std::make_unique<Impl>(config, std::move(handler))) {}
TesselHidServer::~TesselHidServer() = default;

bool TesselHidServer::Listening() const { return impl_->error_.empty(); }
const std::string& TesselHidServer::Error() const { return impl_->error_; }
uint16_t TesselHidServer::Port() const { return impl_->port_; }

}  // namespace zor::sim
