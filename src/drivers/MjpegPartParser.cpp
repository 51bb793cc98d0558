#include "drivers/MjpegPartParser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace zor {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kContentLength = "Content-Length:";

std::string_view AsText(const std::vector<uint8_t>& bytes, size_t begin, size_t end) {
  return {reinterpret_cast<const char*>(bytes.data()) + begin, end - begin};
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
  if (buffer_.size() <= kMaxBufferBytes) return;
  // Keep only what may be the beginning of a boundary split across chunks.
  const size_t keep = kBoundary.size() - 1;
  Erase(0, buffer_.size() - keep);
  first_ = kNotFound;
  searched_until_ = 0;
  pending_end_ = kNotFound;
}

bool MjpegPartParser::NextPart(std::span<const uint8_t>& jpeg) {
  pending_end_ = kNotFound;
  for (;;) {
    if (first_ == kNotFound) {
      first_ = FindBoundary(ResumeFrom(0));
      if (first_ == kNotFound) {
        searched_until_ = buffer_.size();
        return false;
      }
      searched_until_ = first_ + kBoundary.size();
    }
    const size_t second = FindBoundary(ResumeFrom(first_ + kBoundary.size()));
    if (second == kNotFound) {
      searched_until_ = buffer_.size();
      return false;
    }
    const std::string_view part = AsText(buffer_, first_, second);
    const size_t header_end = part.find(kHeaderEnd);
    if (header_end == std::string_view::npos) {
      // A part without a header end takes everything before it with it, junk included.
      Erase(0, second);
      first_ = 0;
      searched_until_ = kBoundary.size();
      continue;
    }
    const size_t header_size = header_end + kHeaderEnd.size();
    const size_t body_size = part.size() - header_size;
    const size_t length = PictureLength(part.substr(0, header_size), body_size);
    jpeg = std::span<const uint8_t>(buffer_.data() + first_ + header_size, length);
    pending_end_ = second;
    return true;
  }
}

void MjpegPartParser::DropPart() {
  if (pending_end_ == kNotFound) return;
  Erase(first_, pending_end_);
  pending_end_ = kNotFound;
  // The next part's boundary has moved to where this part began.
  searched_until_ = first_ + kBoundary.size();
}

size_t MjpegPartParser::PictureLength(std::string_view header, size_t body_size) {
  const size_t key = header.find(kContentLength);
  if (key == std::string_view::npos) return body_size;
  size_t value_begin = key + kContentLength.size();
  while (value_begin < header.size() && (header[value_begin] == ' ' || header[value_begin] == '\t')) ++value_begin;
  if (header.size() - value_begin < 2) return body_size;
  const size_t line_end = header.find("\r\n", value_begin);
  if (line_end == std::string_view::npos) return body_size;
  int64_t length = 0;
  if (!ParseLeadingInt32(header.substr(value_begin, line_end - value_begin), length)) return body_size;
  if (length < 1 || static_cast<uint64_t>(length) > body_size) return body_size;
  return static_cast<size_t>(length);
}

size_t MjpegPartParser::FindBoundary(size_t from) const {
  if (from >= buffer_.size()) return kNotFound;
  const void* hit = memmem(buffer_.data() + from, buffer_.size() - from, kBoundary.data(), kBoundary.size());
  return hit ? static_cast<size_t>(static_cast<const uint8_t*>(hit) - buffer_.data()) : kNotFound;
}

size_t MjpegPartParser::ResumeFrom(size_t lower) const {
  const size_t overlap = kBoundary.size() - 1;
  const size_t resume = searched_until_ > overlap ? searched_until_ - overlap : 0;
  return std::max(lower, resume);
}

void MjpegPartParser::Erase(size_t begin, size_t end) {
  buffer_.erase(buffer_.begin() + static_cast<std::ptrdiff_t>(begin), buffer_.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace zor
