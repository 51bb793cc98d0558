#pragma once
// Splits the body of a multipart MJPEG stream into JPEG pictures.
//
// The device sends parts that each begin with the 7 bytes "--frame", then header lines ending
// with an empty line, then the JPEG bytes. A part is complete when the next "--frame" has
// arrived or, when its "Content-Length:" header says how long the picture is, as soon as that
// many bytes have: a device that sends one picture and then nothing still has it shown. The
// bytes between a picture taken by its length and the next boundary, and any bytes before the
// first boundary, are dropped as they arrive, so nothing accumulates.
//
// Used on the driver's strand only; not thread-safe. The buffer keeps its capacity, so once it
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
  // A part's header lines are a content type and a length, well under 100 bytes; a block
  // without its empty line after this many bytes is not a header. Same cap as the HTTP
  // response head.
  static constexpr size_t kMaxPartHeadBytes = 64u << 10;

  // Appends received bytes. When the buffer then holds more than kMaxBufferBytes, everything
  // but the last few bytes (which may be the start of a boundary) is dropped.
  void Append(const uint8_t* data, size_t size);

  // Finds the next complete part and returns its JPEG bytes in `jpeg` (valid until the next
  // call of any other member). Parts without a header end are discarded on the way. False when
  // no complete part is buffered. Call DropPart() after using the bytes.
  bool NextPart(std::span<const uint8_t>& jpeg);

  // Removes the part returned by the last successful NextPart().
  void DropPart();

  size_t buffered_bytes() const { return buffer_.size(); }
  size_t capacity_bytes() const { return buffer_.capacity(); }

  // The "Content-Length:" value of a part's header block (name in any letter case) when it is a
  // number from 1 to 2^31 - 1; 0 otherwise.
  static size_t ContentLength(std::string_view header);
  // Length of the picture in a part's body: ContentLength() when it is from 1 to the body size,
  // the body size otherwise.
  static size_t PictureLength(std::string_view header, size_t body_size);

 private:
  static constexpr size_t kNotFound = static_cast<size_t>(-1);

  enum class State {
    kSeekBoundary,  // dropping bytes up to the next boundary
    kHeader,        // a boundary at the front; its header block not complete yet
    kBody,          // header block complete; picture not complete yet
  };

  bool SeekBoundary();
  bool ReadHeader();
  bool ReadBody(std::span<const uint8_t>& jpeg);
  // Position of the first occurrence of `pattern` in [from, to), or kNotFound.
  size_t Find(std::string_view pattern, size_t from, size_t to) const;
  // Where a search that must start at or after `lower` resumes: bytes already searched are
  // skipped, except the last few, which may hold the start of a split pattern.
  size_t ResumeFrom(size_t lower) const;
  // Keeps only the last bytes, which may be the start of a split boundary, and seeks the next.
  void Resync();
  // Removes buffer bytes [0, end) and moves the rest forward.
  void EraseFront(size_t end);

  std::vector<uint8_t> buffer_;
  State state_ = State::kSeekBoundary;
  // End of the bytes already searched in the current state.
  size_t searched_until_ = 0;
  // kBody: size of the boundary and header block at the front, and the announced picture
  // length (0: none usable).
  size_t header_bytes_ = 0;
  size_t announced_length_ = 0;
  // The part handed out by NextPart(): bytes to drop with it, and the state after them.
  size_t pending_end_ = kNotFound;
  State state_after_pending_ = State::kSeekBoundary;
};

}  // namespace zor
