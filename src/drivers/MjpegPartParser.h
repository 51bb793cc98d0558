#pragma once
// Splits the body of a multipart MJPEG stream into JPEG pictures.
//
// The device sends parts that each begin with the 7 bytes "--frame", then header lines ending
// with an empty line, then the JPEG bytes. A part is taken only when the next "--frame" has
// arrived, so the newest picture waits in the buffer until the one after it starts. Bytes
// before the first boundary (junk) stay at the front of the buffer untouched.
//
// Used on the stream thread only; not thread-safe. The buffer keeps its capacity, so once it
// has grown to the largest part seen, feeding and taking parts allocates nothing. Every byte is
// searched for a boundary once, however small the chunks it arrives in.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zor {

class MjpegPartParser {
 public:
  static constexpr std::string_view kBoundary = "--frame";
  // A buffer this large without a complete part cannot be a picture of any screen the device
  // serves (a 1920 x 1080 JPEG even at the highest quality stays below 2 MB); it is an error
  // page or a broken stream, so its front is dropped instead of letting it grow across
  // reconnections.
  static constexpr size_t kMaxBufferBytes = 8u << 20;

  // Appends received bytes. When the buffer then holds more than kMaxBufferBytes, everything
  // but the last few bytes (which may be the start of a boundary) is dropped.
  void Append(const uint8_t* data, size_t size);

  // Finds the next complete part and returns its JPEG bytes in `jpeg` (valid until the next
  // call of any other member). Parts without a header end are discarded on the way. False when
  // no complete part is buffered. Call DropPart() after using the bytes.
  bool NextPart(std::span<const uint8_t>& jpeg);

  // Removes the part returned by the last successful NextPart(); the bytes before its
  // boundary stay where they are.
  void DropPart();

  size_t buffered_bytes() const { return buffer_.size(); }
  size_t capacity_bytes() const { return buffer_.capacity(); }

  // Length of the picture in a part's body: the "Content-Length:" value of the header when it
  // is a number from 1 to the body size, the body size otherwise.
  static size_t PictureLength(std::string_view header, size_t body_size);

 private:
  static constexpr size_t kNotFound = static_cast<size_t>(-1);

  // Position of the first boundary in the bytes from `from`, or kNotFound.
  size_t FindBoundary(size_t from) const;
  // Where the search for a boundary that must start at or after `lower` resumes: bytes already
  // searched are skipped, except the last few, which may hold the start of a split boundary.
  size_t ResumeFrom(size_t lower) const;
  // Removes buffer bytes [begin, end) and moves the rest forward.
  void Erase(size_t begin, size_t end);

  std::vector<uint8_t> buffer_;
  // Start of the first boundary, kNotFound while none has been seen.
  size_t first_ = kNotFound;
  // End of the bytes already searched for the boundary being looked for (the first one while
  // first_ is unknown, the second one otherwise).
  size_t searched_until_ = 0;
  // Start of the second boundary of the part handed out by NextPart(), kNotFound when none is.
  size_t pending_end_ = kNotFound;
};

}  // namespace zor
