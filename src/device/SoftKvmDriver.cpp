#include "device/SoftKvmDriver.h"

#include <nlohmann/json.hpp>

#include "device/PhaseSpread.h"
#include "input/KeyNames.h"
#include "model/DeviceInfo.h"
#include "platform/CodePage.h"

namespace zor {
namespace {

// Rates and qualities on the wire are fixed; the record's own fps and quality fields are not
// used by this device type.
constexpr int kSnapshotQuality = 60;
constexpr int kStreamFps = 15;
constexpr int kStreamQuality = 70;

// nlohmann's dump() sorts keys and writes no white space: exactly the agent's format.
std::string ScreenControl(const char* action) { return nlohmann::json{{"type", "SCRCTL"}, {"action", action}}.dump(); }

const std::string& SnapshotRequest() {
  static const std::string text =
      nlohmann::json{{"type", "SCRCTL"}, {"action", "snapshot"}, {"quality", kSnapshotQuality}}.dump();
  return text;
}

const std::string& StreamRequest() {
  static const std::string text =
      nlohmann::json{{"type", "SCRCTL"}, {"action", "stream"}, {"fps", kStreamFps}, {"quality", kStreamQuality}}.dump();
  return text;
}

nlohmann::json Control(const char* action) { return nlohmann::json{{"type", "CONTROL"}, {"action", action}}; }

}  // namespace

SoftKvmDriver::SoftKvmDriver(IDriverOwner& owner, const IPacingClock& clock, double poll_phase)
    : owner_(&owner),
      clock_(clock),
      last_move_ns_(clock.NowNs()),
      poll_phase_ns_(PhaseNs(poll_phase, kSnapshotIntervalMs * 1'000'000)) {
  socket_.SetCallback([this](const WebSocketEvent& event) { OnSocketEvent(event); });
}

SoftKvmDriver::~SoftKvmDriver() {
  StopPolling();
  SendStopStream();
  socket_.Stop();
}

bool SoftKvmDriver::Connect() {
  const DeviceInfo* device = owner_->Device();
  if (device) {
    const std::string host = ToCodePage949(device->ConnectIP);
    socket_.SetUrl("ws://" + host + ":" + std::to_string(static_cast<int32_t>(device->Port)));
  }
  socket_.Start();
  StartPolling();
  return true;
}

void SoftKvmDriver::Disconnect() {
  StopPolling();
  SendStopStream();
  socket_.Stop();
}

void SoftKvmDriver::StartStream() {
  StopPolling();
  std::lock_guard lock(stream_mutex_);
  streaming_.store(true);
  stream_asked_on_connection_ = Send(StreamRequest());
}

void SoftKvmDriver::StopStream() {
  SendStopStream();
  StartPolling();
}

void SoftKvmDriver::SendStopStream() {
  if (streaming_.exchange(false)) Send(ScreenControl("stop_stream"));
}

void SoftKvmDriver::StartPolling() {
  if (polling_.load() || streaming_.load()) return;
  polling_.store(true);
  pending_phase_ns_.store(poll_phase_ns_);
  poll_due_ns_.store(clock_.NowNs());
  poll_timer_.Arm(0, [this] { PollTick(); });
}

void SoftKvmDriver::StopPolling() {
  polling_.store(false);
  poll_timer_.Cancel();
}

void SoftKvmDriver::PollTick() {
  const int64_t now_ns = clock_.NowNs();
  if (now_ns >= poll_due_ns_.load()) {
    poll_due_ns_.store(now_ns + kSnapshotIntervalMs * 1'000'000 + pending_phase_ns_.exchange(0));
    Send(SnapshotRequest());  // refused while the socket is not open; the next try follows
  }
  poll_timer_.Arm(clock_.RealWaitNs(poll_due_ns_.load()), [this] { PollTick(); });
}

void SoftKvmDriver::MouseMove(int32_t x, int32_t y) {
  const int64_t now = clock_.NowNs();
  int64_t last = last_move_ns_.load();
  // Two input threads may move at once: only the one that claims the slot sends.
  if (now - last < kMinMoveIntervalNs || !last_move_ns_.compare_exchange_strong(last, now)) return;
  nlohmann::json message = Control("move");
  message["x"] = x;
  message["y"] = y;
  Send(message.dump());
}

void SoftKvmDriver::MouseButton(PointerButton button, bool down) {
  nlohmann::json message = Control(down ? "down" : "up");
  message["button"] = std::string(PointerButtonName(button));
  Send(message.dump());
}

void SoftKvmDriver::MouseWheel(bool down, int32_t /*delta*/) {
  nlohmann::json message = Control("wheel");
  message["direction"] = down ? "down" : "up";
  Send(message.dump());
}

void SoftKvmDriver::KeyEvent(KeyStroke stroke) {
  nlohmann::json message = Control(stroke.IsPress() ? "keydown" : "keyup");
  message["key"] = std::string(KeyNameFromVk(stroke.key.code));
  Send(message.dump());
}

bool SoftKvmDriver::Send(const std::string& text) {
  return socket_.SendText(text);  // refused while the socket is down; callers retry or need not
}

void SoftKvmDriver::OnSocketEvent(const WebSocketEvent& event) {
  switch (event.kind) {
    case WebSocketEvent::Kind::Open:
      // A stream asked for while the socket was down (full control opened during a
      // reconnection, or at once after Connect) was refused; without asking again the picture
      // would freeze, as polling is off while streaming.
      {
        std::lock_guard lock(stream_mutex_);
        if (streaming_.load() && !stream_asked_on_connection_) stream_asked_on_connection_ = Send(StreamRequest());
      }
      break;
    case WebSocketEvent::Kind::Error:
    case WebSocketEvent::Kind::Close:
      if (!event.cause.empty()) last_error_.Set(event.cause);  // empty: Disconnect closed it
      {
        std::lock_guard lock(stream_mutex_);
        stream_asked_on_connection_ = false;
      }
      break;
    case WebSocketEvent::Kind::Message:
      if (event.binary) DeliverPicture(event.data);  // texts from the agent mean nothing to us
      break;
  }
}

void SoftKvmDriver::DeliverPicture(std::string_view bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  FramePtr frame = decoder_.Decode(data, bytes.size(), owner_->NeededPicture());
  if (!frame) {
    last_error_.Set("not a JPEG picture");  // dropped; the next picture is tried afresh
    return;
  }
  owner_->OnFrame(std::move(frame));
  // Cleared only once the owner has the picture, so an owner can still read why the pictures
  // had stopped while it takes the first one after them.
  last_error_.Clear();
}

}  // namespace zor
