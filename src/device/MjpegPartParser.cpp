#include "device/MjpegPartParser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace zor {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
// Header names are case-insensitive; ffmpeg, for one, writes "Content-length".
constexpr std::string_view kContentLength = "content-length:";
// Bytes kept at the end of a searched stretch: the longest pattern less one.
constexpr size_t kSearchOverlap = MjpegPartParser::kBoundary.size() - 1;

std::string_view AsText(const std::vector<uint8_t>& bytes, size_t begin, size_t end) {
  return {reinterpret_cast<const char*>(bytes.data()) + begin, end - begin};
}

size_t FindNoCase(std::string_view text, std::string_view lower_pattern) {
  const auto hit = std::search(text.begin(), text.end(), lower_pattern.begin(), lower_pattern.end(),
                               [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
  return hit == text.end() ? std::string_view::npos : static_cast<size_t>(hit - text.begin());
}

// Reads a decimal number as the C library's string-to-int does: leading white space, an
// optional sign, digits up to the first non-digit. False when there are no digits or the value
// does not fit in a signed 32-bit integer.
bool ParseLeadingInt32(std::string_view text, int64_t& value) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t digits_begin = i;
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
  }
  if (i == digits_begin) return false;
  value = negative ? -magnitude : magnitude;
  return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

}  // namespace

void MjpegPartParser::Append(const uint8_t* data, size_t size) {
  buffer_.insert(buffer_.end(), data, data + size);
  if (buffer_.size() > kMaxBufferBytes) Resync();
}

bool MjpegPartParser::NextPart(std::span<const uint8_t>& jpeg) {
  pending_end_ = kNotFound;
  for (;;) {
    switch (state_) {
      case State::kSeekBoundary:
        if (!SeekBoundary()) return false;
        break;
      case State::kHeader:
        if (!ReadHeader()) return false;
        break;
      case State::kBody:
        return ReadBody(jpeg);
    }
  }
}

bool MjpegPartParser::SeekBoundary() {
  const size_t boundary = Find(kBoundary, ResumeFrom(0), buffer_.size());
  if (boundary == kNotFound) {
    if (buffer_.size() > kSearchOverlap) EraseFront(buffer_.size() - kSearchOverlap);
    searched_until_ = buffer_.size();
    return false;
  }
  EraseFront(boundary);
  state_ = State::kHeader;
  searched_until_ = kBoundary.size();
  return true;
}

bool MjpegPartParser::ReadHeader() {
  const size_t from = ResumeFrom(kBoundary.size());
  const size_t header_end = Find(kHeaderEnd, from, buffer_.size());
  // The two patterns share no byte, so a boundary before the header end lies wholly before it.
  const size_t next_boundary = Find(kBoundary, from, header_end == kNotFound ? buffer_.size() : header_end);
  if (next_boundary != kNotFound) {
    // A part without a header end is discarded.
    EraseFront(next_boundary);
    searched_until_ = kBoundary.size();
    return true;
  }
  if (header_end != kNotFound) {
    header_bytes_ = header_end + kHeaderEnd.size();
    announced_length_ = ContentLength(AsText(buffer_, 0, header_bytes_));
    state_ = State::kBody;
    searched_until_ = header_bytes_;
    return true;
  }
  if (buffer_.size() > kBoundary.size() + kMaxPartHeadBytes) {
    Resync();
    return true;
  }
  searched_until_ = buffer_.size();
  return false;
}

bool MjpegPartParser::ReadBody(std::span<const uint8_t>& jpeg) {
  const size_t next_boundary = Find(kBoundary, ResumeFrom(header_bytes_), buffer_.size());
  const uint8_t* body = buffer_.data() + header_bytes_;
  if (next_boundary != kNotFound) {
    const size_t body_size = next_boundary - header_bytes_;
    const bool announced_fits = announced_length_ >= 1 && announced_length_ <= body_size;
    jpeg = std::span<const uint8_t>(body, announced_fits ? announced_length_ : body_size);
    pending_end_ = next_boundary;
    state_after_pending_ = State::kHeader;
    return true;
  }
  if (announced_length_ >= 1 && buffer_.size() - header_bytes_ >= announced_length_) {
    jpeg = std::span<const uint8_t>(body, announced_length_);
    pending_end_ = header_bytes_ + announced_length_;
    state_after_pending_ = State::kSeekBoundary;
    return true;
  }
  searched_until_ = buffer_.size();
  return false;
}

void MjpegPartParser::DropPart() {
  if (pending_end_ == kNotFound) return;
  EraseFront(pending_end_);
  pending_end_ = kNotFound;
  state_ = state_after_pending_;
  searched_until_ = state_ == State::kHeader ? kBoundary.size() : 0;
}

size_t MjpegPartParser::ContentLength(std::string_view header) {
  const size_t key = FindNoCase(header, kContentLength);
  if (key == std::string_view::npos) return 0;
  size_t value_begin = key + kContentLength.size();
  while (value_begin < header.size() && (header[value_begin] == ' ' || header[value_begin] == '\t')) ++value_begin;
  if (header.size() - value_begin < 2) return 0;
  const size_t line_end = header.find("\r\n", value_begin);
  if (line_end == std::string_view::npos) return 0;
  int64_t length = 0;
  if (!ParseLeadingInt32(header.substr(value_begin, line_end - value_begin), length) || length < 1) return 0;
  return static_cast<size_t>(length);
}

size_t MjpegPartParser::PictureLength(std::string_view header, size_t body_size) {
  const size_t length = ContentLength(header);
  return length >= 1 && length <= body_size ? length : body_size;
}

size_t MjpegPartParser::Find(std::string_view pattern, size_t from, size_t to) const {
  if (from >= to) return kNotFound;
  const void* hit = memmem(buffer_.data() + from, to - from, pattern.data(), pattern.size());
  return hit ? static_cast<size_t>(static_cast<const uint8_t*>(hit) - buffer_.data()) : kNotFound;
}

size_t MjpegPartParser::ResumeFrom(size_t lower) const {
  const size_t resume = searched_until_ > kSearchOverlap ? searched_until_ - kSearchOverlap : 0;
  return std::max(lower, resume);
}

void MjpegPartParser::Resync() {
  if (buffer_.size() > kSearchOverlap) EraseFront(buffer_.size() - kSearchOverlap);
  state_ = State::kSeekBoundary;
  searched_until_ = 0;
  pending_end_ = kNotFound;
}

void MjpegPartParser::EraseFront(size_t end) {
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace zor
