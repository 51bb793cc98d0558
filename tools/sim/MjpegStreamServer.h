#pragma once
// The picture side of a simulated hardware KVM device: an HTTP server that streams a screen as
// multipart JPEG ("--frame" parts with Content-Type and Content-Length headers, one part per
// chunk of a chunked body) under one path, the way the device does, or misbehaves on purpose
// in one of the ways a broken device or a hostile peer would.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SimOptions.h"

namespace zor::sim {

struct MjpegStreamConfig {
  std::string address = "127.0.0.1";
  uint16_t port = 0;  // 0: the system picks one
  std::string path = "/api/stream/mjpeg";
  int fps = 15;
  // Parts after which a stream ends by itself (0: never), so that clients' reconnection can be
  // exercised.
  int parts_per_stream = 0;
  SimFault fault;
};

class MjpegStreamServer {
 public:
  // The JPEG picture of the screen as it is now; called on the server's thread per part.
  using FrameSource = std::function<std::shared_ptr<const std::vector<uint8_t>>()>;
  // A stream began or ended ("open", "close") for a peer; called on the server's thread.
  using EventLog = std::function<void(const std::string& peer, const std::string& event)>;

  // Listens at once; Listening() is false (with Error() set) when the address cannot be bound.
  MjpegStreamServer(MjpegStreamConfig config, FrameSource source, EventLog log);
  // Ends every stream in progress and the server, and joins its thread.
  ~MjpegStreamServer();
  MjpegStreamServer(const MjpegStreamServer&) = delete;
  MjpegStreamServer& operator=(const MjpegStreamServer&) = delete;

  bool Listening() const;
  const std::string& Error() const;
  uint16_t Port() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zor::sim
