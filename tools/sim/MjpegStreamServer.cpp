#include "MjpegStreamServer.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>

#include "platform/Clock.h"

namespace zor::sim {
namespace {

constexpr char kContentType[] = "multipart/x-mixed-replace; boundary=frame";

std::string PartHeader(size_t jpeg_bytes) {
  return "--frame\r\nContent-Type: image/jpeg\r\nContent-Length: " + std::to_string(jpeg_bytes) + "\r\n\r\n";
}

}  // namespace

MjpegStreamServer::MjpegStreamServer(MjpegStreamConfig config, FrameSource source, EventLog log)
    : config_(std::move(config)), source_(std::move(source)), log_(std::move(log)),
      server_(std::make_unique<httplib::Server>()) {
  server_->Get(config_.path, [this](const httplib::Request& request, httplib::Response& response) {
    ServeStream(request.remote_addr + ":" + std::to_string(request.remote_port), &response);
  });
}

MjpegStreamServer::~MjpegStreamServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_requested_.notify_all();
  // Every content provider returns as soon as stopping_ is set, so stop() does not wait for a
  // stream that never ends.
  server_->stop();
  if (thread_.joinable()) thread_.join();
}

bool MjpegStreamServer::Start() {
  if (config_.port == 0) {
    const int port = server_->bind_to_any_port(config_.address);
    if (port <= 0) return false;
    port_ = static_cast<uint16_t>(port);
  } else {
    if (!server_->bind_to_port(config_.address, config_.port)) return false;
    port_ = config_.port;
  }
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  return true;
}

void MjpegStreamServer::ServeStream(const std::string& peer, void* response_ptr) {
  auto& response = *static_cast<httplib::Response*>(response_ptr);
  log_(peer, "open");
  const int64_t interval_ns = 1'000'000'000LL / std::max(1, config_.fps);
  auto next_ns = std::make_shared<int64_t>(MonotonicNs());
  auto parts_sent = std::make_shared<int>(0);
  response.set_chunked_content_provider(
      kContentType,
      [this, interval_ns, next_ns, parts_sent](size_t, httplib::DataSink& sink) {
        if (!WaitUntil(*next_ns)) return false;
        // A client that fell behind gets the current screen next, not a burst of stale parts.
        *next_ns = std::max(*next_ns + interval_ns, MonotonicNs());
        const auto jpeg = source_();
        if (!jpeg) return true;
        const std::string header = PartHeader(jpeg->size());
        const auto* bytes = reinterpret_cast<const char*>(jpeg->data());
        if (!sink.write(header.data(), header.size()) || !sink.write(bytes, jpeg->size()) || !sink.write("\r\n", 2)) {
          return false;
        }
        if (config_.parts_per_stream > 0 && ++*parts_sent >= config_.parts_per_stream) sink.done();
        return true;
      },
      [this, peer](bool) { log_(peer, "close"); });
}

bool MjpegStreamServer::WaitUntil(int64_t deadline_ns) {
  std::unique_lock lock(mutex_);
  const auto wait = std::chrono::nanoseconds(std::max<int64_t>(0, deadline_ns - MonotonicNs()));
  return !stop_requested_.wait_for(lock, wait, [this] { return stopping_; });
}

}  // namespace zor::sim
