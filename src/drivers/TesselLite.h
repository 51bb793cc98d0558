#pragma once
// Driver of the hardware KVM device ("Tessel Lite", device type 1).
//
// Pictures: a stream thread reads the device's multipart MJPEG stream over HTTP, splits it into
// JPEG parts, decodes them and hands them to the client at the full-control or thumbnail rate.
// It reconnects every 500 ms for as long as the driver is connected.
// Input: mouse and keyboard go to the device as binary HID reports over a WebSocket at
// "ws://<address>/api/ws". Key sequences (combinations, typed text, the Korean/English switch)
// sleep on the calling thread between their reports.
//
// Threads: Connect, Disconnect, StartStream and StopStream come from the UI thread; input
// operations from the UI thread and automation threads at once (each report is one send);
// frames are decoded and delivered on the stream thread.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>

#include "client/FramePool.h"
#include "client/JpegDecoder.h"
#include "client/LastErrorSlot.h"
#include "client/ZorKvmClient.h"
#include "drivers/DeliveryRate.h"
#include "drivers/KeyStateSource.h"
#include "drivers/MjpegPartParser.h"
#include "drivers/WebSocketClient.h"

namespace httplib {
class ClientImpl;
}

namespace zor {

class TesselLite final : public ZorKvmClient {
 public:
  // Pause between two attempts to read the stream.
  static constexpr int kRetryPauseMs = 500;
  // A stream that sends nothing for this long is dropped and requested again.
  static constexpr int kReadTimeoutS = 5;
  // The device sits on the operator's network and answers a connection at once; one that has
  // not after this long is not there. Kept short because Disconnect cannot interrupt a
  // connection attempt in progress and waits for it.
  static constexpr int kConnectTimeoutMs = 1000;
  // Key timing the device's keyboard input needs to see every press and release.
  static constexpr int kKeyPressMs = 15;
  static constexpr int kKeyGapMs = 10;
  static constexpr int kComboHoldMs = 20;
  static constexpr int kHangulToggleHoldMs = 30;
  static constexpr int kHanjaStepMs = 5;

  explicit TesselLite(IDriverOwner& owner);
  ~TesselLite() override;

  void StartStream() override;
  void StopStream() override;
  bool Connect() override;
  void Disconnect() override;
  bool ConnectInput() override;
  void DisconnectInput() override;

  void MouseMove(int32_t x, int32_t y) override;
  void MouseButton(const std::string& button, bool down) override;
  void MouseWheel(bool down, int32_t delta) override;
  void KeyEvent(uint32_t message, int64_t virtual_key, int64_t key_flags) override;
  void KeyCombo(uint8_t modifiers, uint8_t usage) override;
  void TypeText(const std::u16string& text) override;
  void ToggleHangulMode() override;
  std::string LastError() const override { return last_error_.Get(); }

  // Where KeyEvent reads the live modifier keys; OperatorKeyboard() unless replaced. The source
  // must outlive the driver or be replaced first.
  void SetKeyStateSource(const IKeyStateSource& source) { key_state_.store(&source); }

  // True while the HID WebSocket is actually open (not merely started).
  bool InputChannelOpen() const { return hid_socket_.IsOpen(); }

  // Called on the stream thread with each chunk of the HTTP body.
  void OnStreamData(const uint8_t* data, size_t size);

 private:
  struct StreamTarget {
    std::string host;
    int port = 0;
    std::string path;
  };

  void StreamThreadProc(StreamTarget target);
  // Issues one GET of the stream; returns when it ends, fails, times out or is stopped.
  void ReadStreamOnce(const StreamTarget& target);
  // Decodes a part and hands it to the client when its delivery interval has passed.
  void DeliverPicture(std::span<const uint8_t> jpeg);
  // Sleeps kRetryPauseMs, or less when the driver disconnects meanwhile.
  void PauseBeforeRetry();
  // Stops the request in flight until the stream thread has ended, then joins it.
  void StopStreamThread();

  void SendMouseReport(uint8_t buttons, uint16_t x, uint16_t y, int8_t wheel);
  void SendKeyReport(uint8_t modifiers, uint8_t usage);
  void TypeAsciiChar(char c);
  void OnHidSocketEvent(const WebSocketEvent& event);

  IDriverOwner& owner_;
  JpegContext decoder_;
  FramePool frames_;
  WebSocketClient hid_socket_;
  std::atomic<bool> hid_open_{false};
  // Last position and buttons sent: a button or wheel report repeats the position.
  std::atomic<uint16_t> last_x_{0};
  std::atomic<uint16_t> last_y_{0};
  std::atomic<uint8_t> buttons_{0};

  // The HTTP client of the request in flight, null between requests. Publishing, clearing and
  // stopping it happen under http_mutex_, so Disconnect never stops a client being deleted.
  std::mutex http_mutex_;
  httplib::ClientImpl* http_client_ = nullptr;
  // Signals, under http_mutex_, the end of the driver's connection to the stream thread (out of
  // its pause between attempts) and the stream thread's end to Disconnect.
  std::condition_variable stream_state_changed_;
  bool stream_thread_ended_ = true;  // guarded by http_mutex_

  int64_t last_delivery_ns_ = 0;  // stream thread only
  std::atomic<bool> running_{false};
  std::thread stream_thread_;
  std::atomic<bool> fast_{false};
  int32_t screen_width_ = 1920;
  int32_t screen_height_ = 1080;
  DeliveryIntervals intervals_;
  LastErrorSlot last_error_;
  MjpegPartParser parser_;  // stream thread only; survives reconnections
  std::atomic<uint8_t> modifier_state_{0};
  std::atomic<const IKeyStateSource*> key_state_{&OperatorKeyboard()};
};

}  // namespace zor
