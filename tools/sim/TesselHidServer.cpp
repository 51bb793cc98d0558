// Beast lives only here on the simulated hardware device's side.
#include "TesselHidServer.h"

#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>

#include "SimListener.h"

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
  Impl(const TesselHidServerConfig& config, Handler handler)
      : path_(config.path),
        handler_(std::move(handler)),
        listener_(config.address, config.port, [this](tcp::socket socket) { return Serve(std::move(socket)); }) {}

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
  SimListener listener_;  // last: its connections use the members above
};

TesselHidServer::TesselHidServer(const TesselHidServerConfig& config, Handler handler)
    : impl_(std::make_unique<Impl>(config, std::move(handler))) {}
TesselHidServer::~TesselHidServer() = default;

bool TesselHidServer::Listening() const { return impl_->listener_.Listening(); }
const std::string& TesselHidServer::Error() const { return impl_->listener_.Error(); }
uint16_t TesselHidServer::Port() const { return impl_->listener_.Port(); }

}  // namespace zor::sim
