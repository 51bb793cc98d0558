#pragma once
// The connection state of one device, as its pane's thumbnail shows it.
#include <cstdint>

namespace zor {

enum class ConnectionState : int32_t {
  Offline = 0,     // the connect timer gave up on a connection attempt
  Stop = 1,        // the user disconnected
  Streaming = 2,   // frames arrive; the thumbnail shows the picture itself
  Error = 3,       // a worker of the runner failed; the session's last error says why
  Connecting = 4,  // created, or driver recreated; waiting for the first frame
};

}  // namespace zor
