#pragma once
// Reads a never-ending HTTP body from a device, request after request: connect, GET, hand the
// body over as it arrives, and after a failure or the end of the stream pause and start again,
// until stopped. Everything runs on the thread that calls Run() (the driver's stream thread),
// which also gets a wake-up at a time it asks for, so that it can act while no bytes arrive.
// Stop() may come from any thread at any time and ends Run() at once, even in the middle of a
// connection attempt, and even before Run() has started.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

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

// Called on the thread that runs the reader.
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
  HttpStreamReader(HttpStreamTarget target, HttpStreamTimeouts timeouts, IHttpStreamHandler& handler);
  ~HttpStreamReader();
  HttpStreamReader(const HttpStreamReader&) = delete;
  HttpStreamReader& operator=(const HttpStreamReader&) = delete;

  // Runs requests until Stop(); call once.
  void Run();
  // Any thread.
  void Stop();
  // From the handler's calls only: call OnWake() at `at_ns` of the monotonic clock, in place of
  // any wake-up asked for before.
  void WakeAt(int64_t at_ns);
  // Most bytes the response parser has held waiting for more input; any thread.
  size_t HeldBytesPeak() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zor
