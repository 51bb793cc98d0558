#pragma once
// Scenes and Apps as zorkvm-cli's JSON: every stored field under its field name, texts in UTF-8,
// an Item's template as {"Width", "Height", "Pixels": base64 of the BGRA bytes}.
#include <nlohmann/json.hpp>

#include "model/AppInfo.h"
#include "model/SceneData.h"

namespace zor::cli {

nlohmann::ordered_json SceneToJson(const SceneData& scene);
nlohmann::ordered_json AppToJson(const AppInfo& app);

// Fields missing from the JSON keep their defaults; a field of the wrong type throws
// std::invalid_argument or nlohmann::json::exception.
SceneData SceneFromJson(const nlohmann::json& j);
AppInfo AppFromJson(const nlohmann::json& j);

}  // namespace zor::cli
