#pragma once
// A device list as zorkvm-cli's JSON: an array of objects with DeviceInfo's stored fields under
// their field names, texts in UTF-8.
#include <nlohmann/json.hpp>

#include "model/DeviceListFile.h"

namespace zor::cli {

nlohmann::ordered_json DeviceToJson(const DeviceInfo& device);

// Fields missing from an object keep their defaults; anything else of the wrong shape throws
// std::invalid_argument or nlohmann::json::exception.
DeviceList DevicesFromJson(const nlohmann::json& j);

}  // namespace zor::cli
