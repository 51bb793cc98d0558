#pragma once
// Bounded little-endian reader over a file's bytes. Every length and count read from a file is
// checked against the bytes that remain, so a truncated or hostile file can never make the
// program read past its end or allocate more than the file itself could hold. After the first
// failed read the reader stays failed and every further read fails too.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zor {

class BinaryReader {
 public:
  explicit BinaryReader(std::string_view bytes) : bytes_(bytes) {}

  bool ReadU32(uint32_t& value);
  bool ReadU64(uint64_t& value);
  bool ReadI32(int32_t& value);
  bool ReadF32(float& value);
  bool ReadBytes(size_t count, std::string_view& out);

  // What a code page 949 text with bytes that do not convert reads as.
  enum class Invalid949 { EmptyText, ReplaceEach };
  // A u32 byte count followed by that many code page 949 bytes.
  bool ReadText949(std::u16string& out, Invalid949 rule);
  // A u32 count of UTF-16 units followed by 2 × count bytes.
  bool ReadTextUtf16(std::u16string& out);

  // True while `count` elements of at least `min_element_bytes` each can still fit in what is left.
  bool CanHold(uint64_t count, size_t min_element_bytes) const;

  size_t remaining() const { return failed_ ? 0 : bytes_.size() - pos_; }
  // Offset of the first byte not yet used; after a failed read, where reading stopped.
  size_t position() const { return pos_; }
  bool failed() const { return failed_; }

 private:
  bool Take(size_t count, const char*& data);

  std::string_view bytes_;
  size_t pos_ = 0;
  bool failed_ = false;
};

class BinaryWriter {
 public:
  void WriteU32(uint32_t value);
  void WriteU64(uint64_t value);
  void WriteI32(int32_t value) { WriteU32(static_cast<uint32_t>(value)); }
  void WriteF32(float value);
  void WriteBytes(std::string_view bytes) { out_.append(bytes); }
  // A text that does not convert is written as the count 0.
  void WriteText949(std::u16string_view text);
  void WriteTextUtf16(std::u16string_view text);

  const std::string& bytes() const { return out_; }

 private:
  std::string out_;
};

}  // namespace zor
