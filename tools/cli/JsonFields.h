#pragma once
// Reading the optional fields of zorkvm-cli's JSON input. A missing key keeps the field's
// default; a key with the wrong type or range throws std::invalid_argument naming the key.
#include <cstdint>
#include <istream>
#include <nlohmann/json.hpp>
#include <string>

namespace zor::cli {

// All of a stream as JSON; throws nlohmann::json::parse_error when it is not JSON.
nlohmann::json ReadJson(std::istream& in);
// ReadJson of standard input.
nlohmann::json ReadJsonFromStdin();

void Take(const nlohmann::json& j, const char* key, uint32_t& field);
void Take(const nlohmann::json& j, const char* key, int32_t& field);
void Take(const nlohmann::json& j, const char* key, float& field);
void Take(const nlohmann::json& j, const char* key, std::u16string& field);

// The object or array under `key`, or nullptr when the key is missing; throws when it has
// another type.
const nlohmann::json* TakeObject(const nlohmann::json& j, const char* key);
const nlohmann::json* TakeArray(const nlohmann::json& j, const char* key);

}  // namespace zor::cli
