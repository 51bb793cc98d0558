#include "device/WebSocketCause.h"

#include <boost/asio/error.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/websocket/error.hpp>

namespace zor {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;

// The peer went away without a word: end of stream, reset, or a write into a closed socket.
bool PeerHungUp(const boost::system::error_code& error) {
  return error == asio::error::eof || error == asio::error::connection_reset || error == asio::error::broken_pipe ||
         error == asio::error::connection_aborted;
}

std::string ConnectFailure(const boost::system::error_code& error) {
  if (error == asio::error::connection_refused) return "connection refused";
  if (error == beast::error::timeout || error == asio::error::timed_out) return "connect timed out";
  if (error == asio::error::host_unreachable) return "host unreachable";
  if (error == asio::error::network_unreachable) return "network unreachable";
  return "cannot connect (" + error.message() + ")";
}

std::string HandshakeFailure(const boost::system::error_code& error, unsigned http_status) {
  if (error == beast::websocket::error::upgrade_declined) {
    return "upgrade refused: HTTP status " + std::to_string(http_status);
  }
  if (error == beast::error::timeout) return "WebSocket handshake timed out";
  if (PeerHungUp(error)) return "closed by the peer during the WebSocket handshake";
  return "bad WebSocket handshake";
}

}  // namespace

std::string DescribeAttemptFailure(WebSocketStep step, const boost::system::error_code& error, unsigned http_status) {
  switch (step) {
    case WebSocketStep::Resolve: return "name not resolved";
    case WebSocketStep::Connect: return ConnectFailure(error);
    case WebSocketStep::Handshake: return HandshakeFailure(error, http_status);
  }
  return error.message();
}

std::string DescribeConnectionEnd(const boost::system::error_code& error, uint16_t close_code,
                                  std::string_view close_reason) {
  if (error == beast::websocket::error::closed && close_code != 0) {
    std::string words = "closed by the peer (code " + std::to_string(close_code);
    if (!close_reason.empty()) words += " " + std::string(close_reason);
    return words + ")";
  }
  if (PeerHungUp(error) || error == beast::websocket::error::closed) return "closed by the peer";
  if (error == beast::websocket::error::message_too_big) return "message too large";
  return "connection lost (" + error.message() + ")";
}

}  // namespace zor
