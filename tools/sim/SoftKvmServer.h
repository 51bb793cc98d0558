#pragma once
// The software KVM agent side of the simulator: a WebSocket server that answers screen control
// messages with JPEG pictures of its SimScreen and applies input messages to it.
//   {"action":"snapshot","quality":Q,...}          one JPEG at quality Q
//   {"action":"stream","fps":F,"quality":Q,...}    JPEGs at F per second (at most --fps) until
//   {"action":"stop_stream",...}
//   CONTROL move / down / up / wheel / keydown / keyup   input on the screen
// Every message received is logged verbatim; after a key or button message a second line gives
// the field's text ("field") or the buttons' click counts ("ok_clicks", "toggle_clicks").
// Unknown or malformed messages change nothing.
// With a fault (SoftKvmServerConfig::fault) every connection misbehaves on purpose: drop closes
// it with 1001 after the given seconds, stall accepts and never answers the upgrade, garbage
// sends random bytes in place of each picture, close-mid-message sends the head and half of the
// first picture's frame and then closes the socket. The log notes "drop", "stall" and "cut".
#include <memory>
#include <string>

#include "SimOptions.h"
#include "SimServer.h"

namespace zor {
class SimScreen;
}

namespace zor::sim {

class SimMessageLog;

struct SoftKvmServerConfig {
  std::string address = "127.0.0.1";
  uint16_t port = 0;
  int device_index = 0;
  int max_fps = 30;
  SimFault fault;
};

class SoftKvmServer : public ISimServer {
 public:
  // Listens at once; false from Listening() (with `error` set) when the address cannot be bound.
  SoftKvmServer(const SoftKvmServerConfig& config, SimScreen& screen, SimMessageLog& log);
  ~SoftKvmServer() override;

  bool Listening() const override;
  const std::string& Error() const override;
  uint16_t Port() const override;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zor::sim
