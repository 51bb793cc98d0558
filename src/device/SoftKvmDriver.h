#pragma once
// Driver of device type 0, the software KVM agent on the remote computer: one WebSocket carries
// small JSON texts to the agent and one JPEG picture per binary message back.
//
// Threads: Connect, Disconnect, StartStream and StopStream on the UI thread; input operations on
// the UI and automation threads at once. Everything else runs on the driver's strand of the
// network loop, one handler at a time: frames are decoded (at the size the owner needs) and
// handed to the owner there, and the snapshot poller's timer sends its requests from there. Why the device cannot be reached (refused, timed out, closed by the peer, not a JPEG
// picture...) is kept as the last error until a picture is delivered again.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "device/DeviceDriver.h"
#include "device/JpegDecoder.h"
#include "device/LastErrorSlot.h"
#include "device/LoopTimer.h"
#include "device/NetworkLoop.h"
#include "device/PacingClock.h"
#include "device/WebSocketClient.h"

namespace zor {

// Pause between snapshot requests while no stream runs: about 4 pictures a second.
inline constexpr int64_t kSnapshotIntervalMs = 250;
// Mouse moves closer together than this are dropped (not merged).
inline constexpr int64_t kMinMoveIntervalNs = 10'000'000;

class SoftKvmDriver : public DeviceDriver {
 public:
  // `clock` paces mouse moves and snapshot requests; it must outlive the driver.
  // `poll_phase` (a fraction of the interval, see PhaseSpread.h) shifts the polls after each
  // start's first, which goes at once.
  explicit SoftKvmDriver(IDriverOwner& owner, const IPacingClock& clock = SystemPacingClock(),
                         double poll_phase = 0);
  // Poller stopped, stop-streaming sent when streaming, socket closed with 1000, and no handler
  // of the driver still running. Not on a loop thread.
  ~SoftKvmDriver() override;

  void StartStream() override;
  void StopStream() override;
  bool Connect() override;
  void Disconnect() override;
  bool ConnectInput() override { return true; }
  void DisconnectInput() override {}
  void MouseMove(int32_t x, int32_t y) override;
  void MouseButton(PointerButton button, bool down) override;
  void MouseWheel(bool down, int32_t delta) override;
  void KeyEvent(KeyStroke stroke) override;
  // The agent has no key-combination, text or input-method messages: nothing to wait for.
  InputCompletion KeyCombo(uint8_t, uint8_t) override { return {}; }
  InputCompletion TypeText(const std::u16string&) override { return {}; }
  InputCompletion ToggleHangulMode() override { return {}; }
  bool CanPerform(TimedInput) const override { return false; }
  std::string LastError() const override { return last_error_.Get(); }

  // A socket event; runs on the driver's strand. Public so that the frame path from a
  // received message to the owner's OnFrame can be measured without a network.
  void OnSocketEvent(const WebSocketEvent& event);

  bool Polling() const { return polling_.load(); }
  bool Streaming() const { return streaming_.load(); }

 private:
  void StartPolling();
  void StopPolling();
  // Strand: sends a snapshot request when the interval is up, then waits for the next.
  void PollTick();
  // Clears streaming first, then sends "stop_stream"; nothing when not streaming.
  void SendStopStream();
  // False when the socket refused it (not open).
  bool Send(const std::string& text);
  // Strand: decodes one picture and hands it to the owner.
  void DeliverPicture(std::string_view bytes);

  IDriverOwner* const owner_;
  const IPacingClock& clock_;
  FrameDecoder decoder_;
  std::atomic<int64_t> last_move_ns_;
  const LoopStrand strand_;
  WebSocketClient socket_{strand_};
  LastErrorSlot last_error_;
  std::atomic<bool> polling_{false};
  std::atomic<bool> streaming_{false};
  // Whether the current connection has been asked for the stream: StartStream asks at once,
  // and the socket's opening asks again only when that request did not go out, so one
  // connection never gets a request twice for one StartStream. Guarded by stream_mutex_.
  std::mutex stream_mutex_;
  bool stream_asked_on_connection_ = false;

  // The poller's pause. Stopping cancels it and waits for a tick under way, so a quick stop and
  // restart never leaves two pollers running.
  LoopTimer poll_timer_{strand_};
  // When the next request is due, by clock_; written by StartPolling before the timer is armed
  // and by the ticks after it.
  std::atomic<int64_t> poll_due_ns_{0};
  const int64_t poll_phase_ns_;
  // The phase still to add to the next pause: set by StartPolling, taken by the first tick.
  std::atomic<int64_t> pending_phase_ns_{0};
};

}  // namespace zor
