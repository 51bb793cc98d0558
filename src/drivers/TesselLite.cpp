// TesselLite: lifecycle and the picture side (the MJPEG stream thread).
#include "drivers/TesselLite.h"

#include <httplib.h>
#include <pthread.h>

#include <chrono>

#include "app/AppConfig.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Diag.h"
#include "shell/DeviceInfo.h"

namespace zor {
namespace {

constexpr std::string_view kDiagCategory = "drivers";
constexpr int64_t kNsPerMs = 1'000'000;
// How often Disconnect repeats its stop of the request in flight: a stop that lands before the
// HTTP client has opened its socket does nothing, so it is tried again until the thread ends.
constexpr auto kStopRetryInterval = std::chrono::milliseconds(20);

// Thread names are cut to 15 characters by the system.
void NameThisThread(const std::string& name) { pthread_setname_np(pthread_self(), name.substr(0, 15).c_str()); }

}  // namespace

TesselLite::TesselLite(IDriverOwner& owner) : owner_(owner), last_delivery_ns_(MonotonicNs()) {
  const DeviceInfo* device = owner_.Device();
  intervals_ = DeliveryIntervalsFor(device);
  if (device) {
    screen_width_ = static_cast<int32_t>(device->ScreenWidth);
    screen_height_ = static_cast<int32_t>(device->ScreenHeight);
    hid_socket_.SetThreadName("hid " + ToCodePage949(device->ConnectIP));
  }
  hid_socket_.SetCallback([this](const WebSocketEvent& event) { OnHidSocketEvent(event); });
}

TesselLite::~TesselLite() { Disconnect(); }

void TesselLite::StartStream() { fast_ = true; }

void TesselLite::StopStream() { fast_ = false; }

bool TesselLite::Connect() {
  if (running_) return true;
  // A stream thread that a Disconnect on that very thread ended is still to be joined.
  StopStreamThread();
  ConnectInput();
  const DeviceInfo* device = owner_.Device();
  if (!device) return true;
  const DeviceTypeInfo* type = AppConfig::Instance().FindDeviceType(device->Type);
  StreamTarget target{ToCodePage949(device->ConnectIP), static_cast<int>(device->Port),
                      type ? ToCodePage949(type->stream_path) : std::string()};
  {
    std::lock_guard lock(http_mutex_);
    stream_thread_ended_ = false;
  }
  running_ = true;
  stream_thread_ = std::thread(&TesselLite::StreamThreadProc, this, std::move(target));
  return true;
}

void TesselLite::Disconnect() {
  running_ = false;
  // The input channel is closed even when the stream was not running, so that a socket that
  // lost its device stops reconnecting to it.
  DisconnectInput();
  StopStreamThread();
}

void TesselLite::StopStreamThread() {
  if (!stream_thread_.joinable()) return;
  // Called on the stream thread itself (from OnFrame): the thread ends once it returns there,
  // and the next Connect joins it.
  if (stream_thread_.get_id() == std::this_thread::get_id()) return;
  {
    std::unique_lock lock(http_mutex_);
    stream_state_changed_.notify_all();
    while (!stream_thread_ended_) {
      if (http_client_) http_client_->stop();
      stream_state_changed_.wait_for(lock, kStopRetryInterval);
    }
  }
  stream_thread_.join();
}

void TesselLite::StreamThreadProc(StreamTarget target) {
  NameThisThread("mjpeg " + target.host);
  diag::Write(kDiagCategory, "TesselLite stream " + target.host + ":" + std::to_string(target.port) + target.path);
  while (running_) {
    ReadStreamOnce(target);
    if (!running_) break;
    PauseBeforeRetry();
  }
  std::lock_guard lock(http_mutex_);
  stream_thread_ended_ = true;
  stream_state_changed_.notify_all();
}

void TesselLite::ReadStreamOnce(const StreamTarget& target) {
  httplib::ClientImpl client(target.host, target.port);
  client.set_read_timeout(kReadTimeoutS, 0);
  client.set_connection_timeout(0, kConnectTimeoutMs * 1000);
  client.set_keep_alive(true);
  client.set_decompress(false);
  {
    // Checked under the lock so that a Disconnect either sees this client or has already
    // cleared running before the request starts.
    std::lock_guard lock(http_mutex_);
    if (!running_) return;
    http_client_ = &client;
  }
  client.Get(target.path, [this](const char* data, size_t size) {
    if (!running_) return false;
    OnStreamData(reinterpret_cast<const uint8_t*>(data), size);
    return true;
  });
  std::lock_guard lock(http_mutex_);
  http_client_ = nullptr;
}

void TesselLite::PauseBeforeRetry() {
  std::unique_lock lock(http_mutex_);
  stream_state_changed_.wait_for(lock, std::chrono::milliseconds(kRetryPauseMs), [this] { return !running_; });
}

void TesselLite::OnStreamData(const uint8_t* data, size_t size) {
  if (!running_ || !decoder_.Valid()) return;
  parser_.Append(data, size);
  std::span<const uint8_t> jpeg;
  while (running_ && parser_.NextPart(jpeg)) {
    DeliverPicture(jpeg);
    parser_.DropPart();
  }
}

void TesselLite::DeliverPicture(std::span<const uint8_t> jpeg) {
  // A part that arrives before its delivery interval has passed would only be thrown away
  // after decoding, so it is not decoded at all: a device streaming faster than the thumbnail
  // rate costs no decoding beyond the frames the client gets.
  const int64_t now_ns = MonotonicNs();
  const int64_t interval_ms = fast_ ? intervals_.full_control_ms : intervals_.thumbnail_ms;
  if (now_ns - last_delivery_ns_ < interval_ms * kNsPerMs) return;
  std::shared_ptr<ScreenImage> frame = frames_.Take();
  if (!DecodeJpeg(decoder_, jpeg.data(), jpeg.size(), frame->pixels, frame->width, frame->height)) return;
  last_delivery_ns_ = now_ns;
  if (running_) owner_.OnFrame(std::move(frame));
}

}  // namespace zor
