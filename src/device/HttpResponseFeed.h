#pragma once
// Parses one HTTP response as its bytes arrive, without a socket: the status line and header
// fields first, then the body (plain, chunked or up to the end of the connection) in pieces.
// The stream reader feeds it what it reads from the device; the fuzz test feeds it directly.
//
// Everything it holds is bounded: a response head, or a chunk's size line, that does not end
// within its cap fails the response instead of growing. Used on one thread at a time.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zor {

class HttpResponseFeed {
 public:
  // A stream's response head is a status line and a handful of fields, well under 1 KiB; one
  // that has not ended after 64 KiB never will (a peer that sends header bytes forever).
  static constexpr size_t kMaxResponseHeadBytes = 64u << 10;
  // Most bytes waiting for the rest of a head or of a chunk's size line: a full head plus one
  // more slice.
  static constexpr size_t kSliceBytes = 16u << 10;
  static constexpr size_t kMaxHeldBytes = kMaxResponseHeadBytes + kSliceBytes;
  // Body bytes are handed out in pieces of at most this size: more than one socket read brings,
  // so a read is mostly one piece.
  static constexpr size_t kBodyPieceBytes = 64u << 10;

  class IEvents {
   public:
    virtual ~IEvents() = default;
    // The head is complete; once per response, before any body bytes.
    virtual void OnResponseHead(int status) = 0;
    virtual void OnBody(std::span<const uint8_t> bytes) = 0;
  };

  enum class Outcome {
    kMore,    // waiting for more bytes
    kDone,    // the response ended; later bytes are ignored
    kFailed,  // the response cannot be read further; Failure() says why
  };

  explicit HttpResponseFeed(IEvents& events);
  ~HttpResponseFeed();
  HttpResponseFeed(const HttpResponseFeed&) = delete;
  HttpResponseFeed& operator=(const HttpResponseFeed&) = delete;

  // Parses the next received bytes, calling the events as parts of the response complete.
  Outcome Put(std::span<const uint8_t> bytes);
  // Why Put failed, in words for the operator ("response head too large").
  const std::string& Failure() const;
  // Bytes of the buffer that holds what waits for more input; at most kMaxHeldBytes.
  size_t HeldCapacity() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zor
