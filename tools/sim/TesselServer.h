#pragma once
// The simulated hardware KVM device ("Tessel Lite"): its screen as a multipart MJPEG stream over
// HTTP at "/api/stream/mjpeg" on the device's port, and its keyboard and mouse as binary HID
// reports over a WebSocket at "/api/ws" on port 80 of the same address. Every report is logged
// raw and decoded (kind, buttons, x, y, wheel and the click counts after it; modifiers, usage
// and the text field after it) and applied to the SimScreen; typed text, Korean 2-set typing
// included, lands in its field.
// Each device needs its own loopback address, since the input port is always 80. A fault, when
// configured, applies to the stream only (see MjpegStreamServer).
#include <memory>
#include <string>

#include "SimOptions.h"
#include "SimServer.h"

namespace zor {
class SimScreen;
}

namespace zor::sim {

class SimMessageLog;

struct TesselServerConfig {
  std::string address = "127.0.0.1";
  uint16_t port = 0;       // the stream's port; 0 lets the system pick one
  uint16_t hid_port = 80;  // the input channel's port
  int device_index = 0;
  int fps = 30;
  int parts_per_stream = 0;  // 0: streams never end by themselves
  SimFault fault;
};

// The address `offset` places after `address` (127.0.0.2 + 1 = 127.0.0.3), so that several
// devices get one address each; empty when that would leave 127.0.0.0/8.
std::string NextLoopbackAddress(const std::string& address, int offset);

class TesselServer : public ISimServer {
 public:
  // Listens at once; Listening() is false (with Error() set) when either port cannot be bound.
  TesselServer(const TesselServerConfig& config, SimScreen& screen, SimMessageLog& log);
  ~TesselServer() override;

  bool Listening() const override;
  const std::string& Error() const override;
  uint16_t Port() const override;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zor::sim
