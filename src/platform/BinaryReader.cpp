#include "platform/BinaryReader.h"

#include <cstring>

#include "platform/CodePage.h"

namespace zor {

bool BinaryReader::Take(size_t count, const char*& data) {
  if (failed_ || count > bytes_.size() - pos_) {
    failed_ = true;
    return false;
  }
  data = bytes_.data() + pos_;
  pos_ += count;
  return true;
}

bool BinaryReader::ReadU32(uint32_t& value) {
  const char* p = nullptr;
  if (!Take(4, p)) return false;
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  value = uint32_t{u[0]} | uint32_t{u[1]} << 8 | uint32_t{u[2]} << 16 | uint32_t{u[3]} << 24;
  return true;
}

bool BinaryReader::ReadU64(uint64_t& value) {
  uint32_t low = 0;
  uint32_t high = 0;
  if (!ReadU32(low) || !ReadU32(high)) return false;
  value = uint64_t{high} << 32 | low;
  return true;
}

bool BinaryReader::ReadI32(int32_t& value) {
  uint32_t raw = 0;
  if (!ReadU32(raw)) return false;
  value = static_cast<int32_t>(raw);
  return true;
}

bool BinaryReader::ReadF32(float& value) {
  uint32_t raw = 0;
  if (!ReadU32(raw)) return false;
  std::memcpy(&value, &raw, sizeof value);
  return true;
}

bool BinaryReader::ReadBytes(size_t count, std::string_view& out) {
  const char* p = nullptr;
  if (!Take(count, p)) return false;
  out = std::string_view(p, count);
  return true;
}

bool BinaryReader::ReadText949(std::u16string& out, Invalid949 rule) {
  uint32_t count = 0;
  std::string_view raw;
  if (!ReadU32(count) || !ReadBytes(count, raw)) return false;
  out = rule == Invalid949::ReplaceEach ? FromCodePage949Replacing(raw) : FromCodePage949(raw);
  return true;
}

bool BinaryReader::ReadTextUtf16(std::u16string& out) {
  uint32_t count = 0;
  std::string_view raw;
  if (!ReadU32(count) || !CanHold(count, 2) || !ReadBytes(size_t{count} * 2, raw)) {
    failed_ = true;
    return false;
  }
  out.resize(count);
  for (size_t i = 0; i < count; ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                   static_cast<unsigned char>(raw[2 * i + 1]) << 8);
  }
  return true;
}

bool BinaryReader::CanHold(uint64_t count, size_t min_element_bytes) const {
  if (failed_) return false;
  const uint64_t left = bytes_.size() - pos_;
  return min_element_bytes == 0 || count <= left / min_element_bytes;
}

void BinaryWriter::WriteU32(uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                         static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  out_.append(bytes, 4);
}

void BinaryWriter::WriteU64(uint64_t value) {
  WriteU32(static_cast<uint32_t>(value));
  WriteU32(static_cast<uint32_t>(value >> 32));
}

void BinaryWriter::WriteF32(float value) {
  uint32_t raw = 0;
  std::memcpy(&raw, &value, sizeof raw);
  WriteU32(raw);
}

void BinaryWriter::WriteText949(std::u16string_view text) {
  std::string bytes;
  if (!ToCodePage949(text, bytes)) bytes.clear();
  WriteU32(static_cast<uint32_t>(bytes.size()));
  out_.append(bytes);
}

void BinaryWriter::WriteTextUtf16(std::u16string_view text) {
  WriteU32(static_cast<uint32_t>(text.size()));
  for (char16_t c : text) {
    out_.push_back(static_cast<char>(c & 0xFF));
    out_.push_back(static_cast<char>(c >> 8));
  }
}

}  // namespace zor
