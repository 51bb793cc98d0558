#pragma once
// The picture side of a simulated hardware KVM device: an HTTP server that streams the
// simulated screen as multipart JPEG ("--frame" parts with Content-Type and Content-Length
// headers) under one path, the way the device does.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace zor::sim {

class MjpegStreamServer {
 public:
  // The JPEG picture of the screen as it is now; called on a server thread per part.
  using FrameSource = std::function<std::string()>;
  // One line of the simulator's log: an event name and a detail text.
  using EventLog = std::function<void(const std::string& event, const std::string& detail)>;

  struct Options {
    std::string address = "127.0.0.1";
    int port = 8080;
    std::string path = "/api/stream/mjpeg";
    int fps = 15;
    // Parts after which a stream ends by itself (0: never), so clients' reconnection is exercised.
    int parts_per_stream = 0;
  };

  MjpegStreamServer(Options options, FrameSource source, EventLog log);
  ~MjpegStreamServer();
  MjpegStreamServer(const MjpegStreamServer&) = delete;
  MjpegStreamServer& operator=(const MjpegStreamServer&) = delete;

  // Binds the address and port and serves on a thread of its own; false when binding fails.
  bool Start();
  // Ends every stream in progress and the server; returns when its threads have ended.
  void Stop();

 private:
  // Answers one GET with a never-ending (or parts_per_stream long) multipart body.
  void ServeStream(const std::string& peer, void* response);
  // Waits until `deadline_ns` of the monotonic clock or until Stop, whichever comes first.
  bool WaitUntil(int64_t deadline_ns);

  Options options_;
  FrameSource source_;
  EventLog log_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable stop_requested_;
  std::atomic<bool> stopping_{false};
};

}  // namespace zor::sim
