#pragma once
// The picture side of a simulated hardware KVM device: an HTTP server that streams a screen as
// multipart JPEG ("--frame" parts with Content-Type and Content-Length headers) under one
// path, the way the device does.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace zor::sim {

struct MjpegStreamConfig {
  std::string address = "127.0.0.1";
  uint16_t port = 0;  // 0: the system picks one
  std::string path = "/api/stream/mjpeg";
  int fps = 15;
  // Parts after which a stream ends by itself (0: never), so that clients' reconnection can be
  // exercised.
  int parts_per_stream = 0;
};

class MjpegStreamServer {
 public:
  // The JPEG picture of the screen as it is now; called on a server thread per part.
  using FrameSource = std::function<std::shared_ptr<const std::vector<uint8_t>>()>;
  // A stream began or ended ("open", "close") for a peer; called on a server thread.
  using EventLog = std::function<void(const std::string& peer, const std::string& event)>;

  MjpegStreamServer(MjpegStreamConfig config, FrameSource source, EventLog log);
  // Ends every stream in progress and the server, and joins its threads.
  ~MjpegStreamServer();
  MjpegStreamServer(const MjpegStreamServer&) = delete;
  MjpegStreamServer& operator=(const MjpegStreamServer&) = delete;

  // Binds the address and port and serves on threads of its own; false when binding fails.
  bool Start();
  uint16_t Port() const { return port_; }

 private:
  // Answers one GET with a never-ending (or parts_per_stream long) multipart body.
  void ServeStream(const std::string& peer, void* response);
  // Waits until `deadline_ns` of the monotonic clock or until the server stops: false then.
  bool WaitUntil(int64_t deadline_ns);

  const MjpegStreamConfig config_;
  const FrameSource source_;
  const EventLog log_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  uint16_t port_ = 0;
  std::mutex mutex_;
  std::condition_variable stop_requested_;
  bool stopping_ = false;  // guarded by mutex_
};

}  // namespace zor::sim
