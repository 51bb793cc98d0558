#include "Base64.h"

#include <array>

namespace zor::cli {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value of each base64 character, or -1.
constexpr std::array<int8_t, 256> DecodeTable() {
  std::array<int8_t, 256> table{};
  table.fill(-1);
  for (size_t i = 0; i < kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
  }
  return table;
}

}  // namespace

std::string EncodeBase64(const std::vector<uint8_t>& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t n = std::min<size_t>(3, bytes.size() - i);
    uint32_t group = uint32_t{bytes[i]} << 16;
    if (n > 1) group |= uint32_t{bytes[i + 1]} << 8;
    if (n > 2) group |= bytes[i + 2];
    for (size_t k = 0; k < 4; ++k) {
      out.push_back(k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=');
    }
  }
  return out;
}

std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text) {
  static constexpr auto kTable = DecodeTable();
  if (text.size() % 4 != 0) return std::nullopt;
  std::vector<uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const size_t padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
    uint32_t group = 0;
    for (size_t k = 0; k < 4; ++k) {
      const int8_t value = kTable[static_cast<unsigned char>(text[i + k])];
      if (k >= 4 - padding) continue;
      if (value < 0) return std::nullopt;
      group |= uint32_t(value) << (18 - 6 * k);
    }
    out.push_back(static_cast<uint8_t>(group >> 16));
    if (padding < 2) out.push_back(static_cast<uint8_t>(group >> 8));
    if (padding < 1) out.push_back(static_cast<uint8_t>(group));
  }
  return out;
}

}  // namespace zor::cli
