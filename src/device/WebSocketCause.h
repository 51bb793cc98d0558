#pragma once
// Why a WebSocket connection attempt failed or an open connection ended, in the short words an
// operator reads on the pane or from zorkvm-cli connect ("connection refused", "upgrade refused:
// HTTP status 404"). Included only by the WebSocket client's own source files.
#include <boost/system/error_code.hpp>
#include <cstdint>
#include <string>
#include <string_view>

namespace zor {

// The step of a connection attempt that failed.
enum class WebSocketStep { Resolve, Connect, Handshake };

// `http_status`: the status of the peer's answer to the upgrade request, 0 when none was read.
std::string DescribeAttemptFailure(WebSocketStep step, const boost::system::error_code& error, unsigned http_status);

// An open connection ended by the peer: with its close frame (`error` is Beast's "closed"), or
// broken without one.
std::string DescribeConnectionEnd(const boost::system::error_code& error, uint16_t close_code,
                                  std::string_view close_reason);

}  // namespace zor
