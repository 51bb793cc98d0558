// The JSON that zorkvm-cli reads on standard input for "config write", "scene write" and
// "app write", from arbitrary bytes: a parse error or a refused field is an exception, never a
// crash, and a record that was accepted reads back the same from its own JSON.
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <string>

#include "AutomationJson.h"
#include "DeviceJson.h"
#include "JsonFields.h"

namespace {

// Builds a record from `j` with `from_json` and checks that writing it out as JSON and reading
// that again changes nothing.
template <class FromJson, class ToJson>
void CheckRoundTrip(const nlohmann::json& j, FromJson from_json, ToJson to_json) {
  nlohmann::ordered_json out;
  try {
    out = to_json(from_json(j));
  } catch (const std::exception&) {
    return;  // refused with a reason: what the command prints
  }
  if (to_json(from_json(nlohmann::json::parse(out.dump()))) != out) std::abort();
}

nlohmann::ordered_json DevicesToJson(const zor::DeviceList& devices) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const auto& d : devices) out.push_back(zor::cli::DeviceToJson(*d));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zor::cli;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  nlohmann::json j;
  try {
    j = ReadJson(in);
  } catch (const std::exception&) {
    return 0;
  }
  CheckRoundTrip(j, SceneFromJson, SceneToJson);
  CheckRoundTrip(j, AppFromJson, AppToJson);
  CheckRoundTrip(j, DevicesFromJson, DevicesToJson);
  return 0;
}
