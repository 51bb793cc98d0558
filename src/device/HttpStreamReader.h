#pragma once
// Reads a never-ending HTTP body from a device, request after request: connect, GET, hand the
// body over as it arrives, and after a failure or the end of the stream pause (a timer) and
// start again, until stopped. Everything runs on the owner's strand of the network loop, one
// handler at a time as on one thread, which also gets a wake-up at a time it asks for, so that
// it can act while no bytes arrive. Stop() may come from any thread at any time and ends the
// requests at once, even in the middle of a connection attempt, and even before Start().
#include <cstddef>
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <span>
#include <string>

#include "device/NetworkLoop.h"

namespace zor {

struct HttpStreamTarget {
  std::string host;  // a numeric address or a name
  uint16_t port = 0;
  std::string path;  // "/" when empty
};

struct HttpStreamTimeouts {
  int connect_timeout_s = 5;
  int read_timeout_s = 5;  // a stream that sends nothing for this long is dropped
  int retry_pause_ms = 500;
};

// Called on the reader's strand.
class IHttpStreamHandler {
 public:
  virtual ~IHttpStreamHandler() = default;
  virtual void OnBody(std::span<const uint8_t> bytes) = 0;
  // Something went wrong, in words for the operator: a status other than 200 (the body is
  // still read), or the end of a request ("connection refused", "timed out", "closed by the
  // device", "response head too large"). After a bad status, the end reports that status.
  virtual void OnFailure(const std::string& reason) = 0;
  // The time asked for with WakeAt() has come.
  virtual void OnWake() = 0;
};

class HttpStreamReader {
 public:
  HttpStreamReader(LoopStrand strand, HttpStreamTarget target, HttpStreamTimeouts timeouts, IHttpStreamHandler& handler);
  ~HttpStreamReader();  // Stop
  HttpStreamReader(const HttpStreamReader&) = delete;
  HttpStreamReader& operator=(const HttpStreamReader&) = delete;

  // Starts the first request; the next follow until Stop(). Call once.
  void Start();
  // Ends the requests and waits until no handler runs any more, so that the handler may be
  // freed. On a loop thread (from a handler's call) it only asks them to end, and no handler
  // call follows once that call returns; a later Stop on another thread waits. Any thread.
  void Stop();
  // From the handler's calls only: call OnWake() at `at_ns` of the monotonic clock, in place of
  // any wake-up asked for before.
  void WakeAt(int64_t at_ns);
  // Most bytes the response parser has held waiting for more input; any thread.
  size_t HeldBytesPeak() const;

 private:
  class Core;
  // Shared with the core, which may outlive this object after a Stop on a loop thread.
  std::shared_ptr<std::atomic<size_t>> held_peak_bytes_ = std::make_shared<std::atomic<size_t>>(0);
  std::shared_ptr<Core> core_;  // until Stop; owner's thread only
  // The same core for WakeAt: a handler's call holds it alive, and this never changes.
  Core* const waker_;
  std::shared_future<void> ended_;
};

}  // namespace zor
