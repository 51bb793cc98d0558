#pragma once
// Standard base64 (RFC 4648, with padding) for binary fields in zorkvm-cli's JSON.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zor::cli {

std::string EncodeBase64(const std::vector<uint8_t>& bytes);
// Nothing for text that is not padded base64 of the standard alphabet.
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);

}  // namespace zor::cli
