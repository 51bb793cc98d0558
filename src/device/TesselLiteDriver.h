#pragma once
// Driver of the hardware KVM device ("Tessel Lite", device type 1).
//
// Pictures: the driver reads the device's multipart MJPEG stream over HTTP, splits it into
// JPEG parts and hands them to the client at the full-control or thumbnail rate: a part that
// comes before its interval is up waits, undecoded, in place of the one before it, and goes out
// when the interval is up. Only delivered parts are decoded. It reconnects 500 ms after every
// failure for as long as the driver is connected, and keeps the last failure's reason.
// Input: mouse and keyboard go to the device as binary HID reports over a WebSocket at
// "ws://<address>/api/ws". Key sequences (combinations, typed text, the Korean/English switch,
// the Hanja key) are timed on the driver's strand, and every report keeps its place behind them
// (TimedReportQueue); a disconnect drops what is not yet sent.
//
// Threads: Connect, Disconnect, StartStream and StopStream come from the UI thread; input
// operations from the UI thread and automation threads at once (each report is one send). The
// stream, the HID socket's events and the pauses of timed input all run on the driver's strand
// of the network loop, one handler at a time as on one thread: frames are decoded (at the size
// the owner needs) and delivered there. Never destroyed on a loop thread.
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/DeliveryRate.h"
#include "device/DeviceDriver.h"
#include "device/HttpStreamReader.h"
#include "device/JpegDecoder.h"
#include "device/LastErrorSlot.h"
#include "device/MjpegPartParser.h"
#include "device/NetworkLoop.h"
#include "device/TimedReportQueue.h"
#include "device/WebSocketClient.h"
#include "input/KeySequences.h"
#include "input/KeyStateSource.h"

namespace zor {

class TesselLiteDriver final : public DeviceDriver, private IHttpStreamHandler {
 public:
  // Pause between two attempts to read the stream.
  static constexpr int kRetryPauseMs = 500;
  // A stream that sends nothing for this long is dropped and requested again.
  static constexpr int kReadTimeoutS = 5;
  // As long as the input channel waits: a link with a slow round trip or one lost SYN (whose
  // first retransmission comes after 1 s) still connects. Disconnect does not wait for it.
  static constexpr int kConnectTimeoutS = 5;
  // Longest text TypeText takes, in UTF-16 units: some 27 minutes of typing, beyond any field
  // an Item fills; a longer one is refused whole, before it is planned.
  static constexpr size_t kMaxTypedTextUnits = 1u << 16;

  // `delivery_phase` (a fraction of the thumbnail interval, see PhaseSpread.h) brings the
  // cadence of deliveries forward by that much.
  explicit TesselLiteDriver(IDriverOwner& owner, double delivery_phase = 0);
  ~TesselLiteDriver() override;

  void StartStream() override;
  void StopStream() override;
  bool Connect() override;
  void Disconnect() override;
  bool ConnectInput() override;
  void DisconnectInput() override;

  void MouseMove(int32_t x, int32_t y) override;
  void MouseButton(PointerButton button, bool down) override;
  void MouseWheel(bool down, int32_t delta) override;
  void KeyEvent(KeyStroke stroke) override;
  InputCompletion KeyCombo(uint8_t modifiers, uint8_t usage) override;
  InputCompletion TypeText(const std::u16string& text) override;
  InputCompletion ToggleHangulMode() override;
  bool CanPerform(TimedInput) const override { return true; }
  std::string LastError() const override { return last_error_.Get(); }

  // Where KeyEvent reads the live modifier keys; OperatorKeyboard() unless replaced. The source
  // must outlive the driver or be replaced first.
  void SetKeyStateSource(const IKeyStateSource& source) { key_state_.store(&source); }

  // True while the HID WebSocket is actually open (not merely started).
  bool InputChannelOpen() const { return hid_socket_.IsOpen(); }

  // Called on the strand with each chunk of the HTTP body (and by benchmarks).
  void OnStreamData(const uint8_t* data, size_t size);

  // Most bytes the stream path has held at once, for checks that hostile streams stay bounded:
  // the response parser's buffer (of the request in flight) and the part parser's.
  struct StreamMemory {
    size_t response_bytes = 0;
    size_t parts_bytes = 0;
  };
  // Call on the thread that calls Connect and Disconnect.
  StreamMemory StreamMemoryPeak() const;

 private:
  // Stops the stream reader and, unless called on a loop thread, waits for it and frees it.
  void StopStreamReader();
  // The delivery interval now in force.
  int64_t IntervalNs() const;
  // Decodes a part and hands it to the client; keeps the reason when it is not a picture.
  void DeliverPicture(std::span<const uint8_t> jpeg);

  // IHttpStreamHandler, on the strand.
  void OnBody(std::span<const uint8_t> bytes) override { OnStreamData(bytes.data(), bytes.size()); }
  void OnFailure(const std::string& reason) override { last_error_.Set(reason); }
  void OnWake() override;

  void SendMouseReport(uint8_t buttons, uint16_t x, uint16_t y, int8_t wheel);
  void SendKeyReport(uint8_t modifiers, uint8_t usage);
  // Queues timed keys behind the reports before them; nothing while the channel is closed.
  InputCompletion SendKeys(const std::vector<TimedKey>& keys);
  void OnHidSocketEvent(const WebSocketEvent& event);

  // The pauses of timed input, waited on the HID socket's run, on the driver's strand.
  class SocketTimer final : public ITaskTimer {
   public:
    explicit SocketTimer(WebSocketClient& socket) : socket_(socket) {}
    bool RunAfter(int delay_ms, std::function<void()> task) override {
      return socket_.RunAfter(delay_ms, std::move(task));
    }

   private:
    WebSocketClient& socket_;
  };

  IDriverOwner& owner_;
  FrameDecoder decoder_;
  const LoopStrand strand_;
  WebSocketClient hid_socket_{strand_};
  std::atomic<bool> hid_open_{false};
  SocketTimer hid_timer_{hid_socket_};
  // Every report goes through it, in order; its sends are refused while the socket is not open.
  TimedReportQueue reports_{hid_timer_, [this](std::span<const uint8_t> report) { hid_socket_.SendBinary(report); }};
  // Last position and buttons sent: a button or wheel report repeats the position.
  std::atomic<uint16_t> last_x_{0};
  std::atomic<uint16_t> last_y_{0};
  std::atomic<uint8_t> buttons_{0};

  // The stream reader from Connect until Disconnect has waited for it; UI thread only, and
  // reached from the strand only by the reader's own handler calls.
  std::unique_ptr<HttpStreamReader> reader_;
  // How often parts go out (before pacer_, which starts from the thumbnail's interval).
  DeliveryIntervals intervals_;
  // Strand only: when parts go out, and the newest part waiting for its turn.
  DeliveryPacer pacer_;
  std::vector<uint8_t> held_part_;
  std::atomic<bool> running_{false};
  std::atomic<bool> fast_{false};
  int32_t screen_width_ = 1920;
  int32_t screen_height_ = 1080;
  LastErrorSlot last_error_;
  MjpegPartParser parser_;  // strand only; survives reconnections
  std::atomic<size_t> parts_bytes_peak_{0};
  std::atomic<uint8_t> modifier_state_{0};
  std::atomic<const IKeyStateSource*> key_state_{&OperatorKeyboard()};
};

}  // namespace zor
