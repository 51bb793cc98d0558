#include "JsonFields.h"

#include <cmath>
#include <iostream>
#include <limits>
#include <stdexcept>

#include "platform/CodePage.h"

namespace zor::cli {
namespace {

using nlohmann::json;

[[noreturn]] void Reject(const char* key, const std::string& what) {
  throw std::invalid_argument(std::string("'") + key + "' must be " + what);
}

}  // namespace

// Parsing from the stream itself: nlohmann's adapter for a pair of istreambuf_iterators spins
// for ever at the end of the input with this library version.
json ReadJson(std::istream& in) { return json::parse(in); }

json ReadJsonFromStdin() { return ReadJson(std::cin); }

void Take(const json& j, const char* key, uint32_t& field) {
  if (!j.contains(key)) return;
  const json& v = j.at(key);
  if (!v.is_number_unsigned() || v.get<uint64_t>() > UINT32_MAX) {
    Reject(key, "a whole number from 0 to 4294967295");
  }
  field = v.get<uint32_t>();
}

void Take(const json& j, const char* key, int32_t& field) {
  if (!j.contains(key)) return;
  const json& v = j.at(key);
  if (!v.is_number_integer() || (v.is_number_unsigned() && v.get<uint64_t>() > INT32_MAX) ||
      v.get<int64_t>() < INT32_MIN || v.get<int64_t>() > INT32_MAX) {
    Reject(key, "a whole number from -2147483648 to 2147483647");
  }
  field = v.get<int32_t>();
}

void Take(const json& j, const char* key, float& field) {
  if (!j.contains(key)) return;
  const json& v = j.at(key);
  // A number beyond float's range would become infinity, which JSON cannot write back.
  if (!v.is_number() || !(std::abs(v.get<double>()) <= std::numeric_limits<float>::max())) {
    Reject(key, "a number within float range");
  }
  field = v.get<float>();
}

void Take(const json& j, const char* key, std::u16string& field) {
  if (!j.contains(key)) return;
  const json& v = j.at(key);
  if (!v.is_string()) Reject(key, "a text");
  field = FromUtf8(v.get<std::string>());
}

const json* TakeObject(const json& j, const char* key) {
  if (!j.contains(key)) return nullptr;
  if (!j.at(key).is_object()) Reject(key, "a JSON object");
  return &j.at(key);
}

const json* TakeArray(const json& j, const char* key) {
  if (!j.contains(key)) return nullptr;
  if (!j.at(key).is_array()) Reject(key, "a JSON array");
  return &j.at(key);
}

}  // namespace zor::cli
