#pragma once
// A WebSocket client with exactly what the drivers need: it connects on the shared network loop
// (NetworkLoop), keeps reconnecting with a growing pause while started, offers per-message
// deflate, and delivers open, close, error and message events to one callback, each failure and
// each end with its cause in words for the operator. Plain "ws://" only.
//
// Threads: every run from Start to Stop is on the client's strand, so the callback and the timed
// tasks run on the loop's threads but never two at once, as if on one I/O thread. Start, Stop
// and the setters belong to the owner's thread; SendText, SendBinary, IsOpen and RunAfter may
// be called from any thread at once.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "device/NetworkLoop.h"

namespace zor {

struct WebSocketEvent {
  enum class Kind { Open, Close, Error, Message };
  Kind kind = Kind::Message;
  bool binary = false;         // Message: a binary (not text) message
  std::string_view data;       // Message: the payload, valid only during the callback
  uint16_t close_code = 0;     // Close: the code the peer sent (0 when the connection just broke)
  std::string reason;          // Close: the reason text the peer sent
  // Error: why the attempt failed ("connection refused", "upgrade refused: HTTP status 404",
  // "WebSocket handshake timed out"...). Close: why the connection ended ("closed by the peer
  // (code 1001 going away)"); empty when Stop ended it.
  std::string cause;
};

// Close code and reason of a deliberate stop.
inline constexpr uint16_t kNormalClosureCode = 1000;
inline constexpr char kNormalClosureReason[] = "Normal closure";

// Largest message accepted from a peer: a JPEG of the largest screen a device may send, with
// room to spare. A bigger message ends that connection (and the client reconnects).
inline constexpr size_t kMaxWebSocketMessageBytes = 32u << 20;

// Outgoing bytes allowed to wait for a peer that does not read. Input messages are tens of
// bytes; beyond this a send is refused rather than queued without bound.
inline constexpr size_t kMaxQueuedSendBytes = 4u << 20;

class WebSocketClient {
 public:
  using Callback = std::function<void(const WebSocketEvent& event)>;

  WebSocketClient();  // on a strand of its own
  // On `strand`, shared with the owner's other handlers.
  explicit WebSocketClient(LoopStrand strand);
  // Stops (closing with 1000 "Normal closure" when open) and waits until no handler runs any
  // more. Never destroyed on a loop thread.
  ~WebSocketClient();
  WebSocketClient(const WebSocketClient&) = delete;
  WebSocketClient& operator=(const WebSocketClient&) = delete;

  // "ws://host[:port][/path]"; takes effect at the next Start.
  void SetUrl(std::string url);
  // Set before Start; never called after Stop has returned.
  void SetCallback(Callback callback);

  // Connects on the loop and reconnects after every failure or drop until Stop. Does nothing
  // while already started.
  void Start();
  // Closes with 1000 "Normal closure" when open, cancels a connection attempt in progress and
  // waits until no handler of the run runs any more (the callback included). Returns promptly
  // even when the host does not answer. Called on a loop thread (from the callback) it only asks
  // the run to end, and the next Stop on another thread waits for it.
  void Stop();

  // False, sending nothing, while the connection is not open or too much is already queued.
  bool SendText(std::string_view text);
  bool SendBinary(std::span<const uint8_t> bytes);
  bool IsOpen() const;

  // Runs `task` on the run's strand once `delay_ms` have passed, whether the connection is open
  // or not. False when the client is not started (the task is dropped). A task still waiting at
  // Stop is dropped, never run; Stop returns only after it is gone. Any thread.
  bool RunAfter(int delay_ms, std::function<void()> task);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zor
