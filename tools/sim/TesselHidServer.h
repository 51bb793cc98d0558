#pragma once
// The input side of a simulated hardware KVM device: a WebSocket server that takes binary HID
// reports at one path ("/api/ws") and hands every message to a callback. Requests for other
// paths, and anything that is not a WebSocket upgrade, are answered 404 and closed.
// Beast lives only in its .cpp file.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zor::sim {

struct TesselHidServerConfig {
  std::string address = "127.0.0.1";
  uint16_t port = 80;  // the device's input channel is on the scheme's default port
  std::string path = "/api/ws";
};

class TesselHidServer {
 public:
  // Runs on the server's I/O thread, one call at a time: a connection opened or closed
  // (`event` "open" or "close", empty `payload`) or a message ("message", binary or not).
  using Handler = std::function<void(std::string_view peer, std::string_view event, bool binary,
                                     std::string_view payload)>;

  // Listens at once; Listening() is false (with Error() set) when the address cannot be bound.
  TesselHidServer(const TesselHidServerConfig& config, Handler handler);
  // Stops listening, ends every connection and joins the I/O thread.
  ~TesselHidServer();

  bool Listening() const;
  const std::string& Error() const;
  uint16_t Port() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zor::sim
