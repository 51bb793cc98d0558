#include "AutomationJson.h"

#include <stdexcept>

#include "Base64.h"
#include "JsonFields.h"
#include "platform/CodePage.h"

namespace zor::cli {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

ordered_json TextsToJson(const std::vector<std::u16string>& texts) {
  ordered_json out = ordered_json::array();
  for (const auto& text : texts) out.push_back(ToUtf8(text));
  return out;
}

ordered_json ItemToJson(const Item& item) {
  ordered_json params = ordered_json::array();
  for (const auto& p : item.Params) {
    params.push_back({{"Key", ToUtf8(p.Key)}, {"Value", ToUtf8(p.Value)}});
  }
  const TemplateImage& image = item.Template;
  return ordered_json{
      {"Index", item.Index},
      {"AnalysisType", item.AnalysisType},
      {"Name", ToUtf8(item.Name)},
      {"Reserved", item.Reserved},
      {"CaptureLeft", item.CaptureLeft},
      {"CaptureTop", item.CaptureTop},
      {"CaptureWidth", item.CaptureWidth},
      {"CaptureHeight", item.CaptureHeight},
      {"ClickOffsetX", item.ClickOffsetX},
      {"ClickOffsetY", item.ClickOffsetY},
      {"WorkOffsetX", item.WorkOffsetX},
      {"WorkOffsetY", item.WorkOffsetY},
      {"WorkWidth", item.WorkWidth},
      {"WorkHeight", item.WorkHeight},
      {"Color", item.Color},
      {"Threshold", item.Threshold},
      {"Script", ToUtf8(item.Script)},
      {"Params", params},
      {"Template",
       {{"Width", image.Width}, {"Height", image.Height}, {"Pixels", EncodeBase64(image.Pixels)}}},
  };
}

void TakeTemplate(const json& j, TemplateImage& image) {
  const json* t = TakeObject(j, "Template");
  if (t == nullptr) return;
  Take(*t, "Width", image.Width);
  Take(*t, "Height", image.Height);
  std::u16string pixels;
  Take(*t, "Pixels", pixels);
  auto bytes = DecodeBase64(ToUtf8(pixels));
  if (!bytes) throw std::invalid_argument("'Pixels' must be base64 text");
  image.Pixels = std::move(*bytes);
}

std::shared_ptr<Item> ItemFromJson(const json& j) {
  if (!j.is_object()) throw std::invalid_argument("each Item must be a JSON object");
  auto item = std::make_shared<Item>();
  Take(j, "Index", item->Index);
  Take(j, "AnalysisType", item->AnalysisType);
  Take(j, "Name", item->Name);
  Take(j, "Reserved", item->Reserved);
  Take(j, "CaptureLeft", item->CaptureLeft);
  Take(j, "CaptureTop", item->CaptureTop);
  Take(j, "CaptureWidth", item->CaptureWidth);
  Take(j, "CaptureHeight", item->CaptureHeight);
  Take(j, "ClickOffsetX", item->ClickOffsetX);
  Take(j, "ClickOffsetY", item->ClickOffsetY);
  Take(j, "WorkOffsetX", item->WorkOffsetX);
  Take(j, "WorkOffsetY", item->WorkOffsetY);
  Take(j, "WorkWidth", item->WorkWidth);
  Take(j, "WorkHeight", item->WorkHeight);
  Take(j, "Color", item->Color);
  Take(j, "Threshold", item->Threshold);
  Take(j, "Script", item->Script);
  if (const json* params = TakeArray(j, "Params")) {
    for (const json& p : *params) {
      if (!p.is_object()) throw std::invalid_argument("each parameter must be a JSON object");
      ItemParam& param = item->Params.emplace_back();
      Take(p, "Key", param.Key);
      Take(p, "Value", param.Value);
    }
  }
  TakeTemplate(j, item->Template);
  return item;
}

}  // namespace

ordered_json SceneToJson(const SceneData& scene) {
  ordered_json items = ordered_json::array();
  for (const auto& item : scene.Items) items.push_back(ItemToJson(*item));
  return ordered_json{{"Name", ToUtf8(scene.Name)},
                      {"Description", ToUtf8(scene.Description)},
                      {"Script", ToUtf8(scene.Script)},
                      {"Items", items}};
}

SceneData SceneFromJson(const json& j) {
  if (!j.is_object()) throw std::invalid_argument("a Scene must be a JSON object");
  SceneData scene;
  Take(j, "Name", scene.Name);
  Take(j, "Description", scene.Description);
  Take(j, "Script", scene.Script);
  if (const json* items = TakeArray(j, "Items")) {
    for (const json& item : *items) scene.Items.push_back(ItemFromJson(item));
  }
  return scene;
}

ordered_json AppToJson(const AppInfo& app) {
  return ordered_json{{"Name", ToUtf8(app.Name)},
                      {"Description", ToUtf8(app.Description)},
                      {"UserId", ToUtf8(app.UserId)},
                      {"UserPassword", ToUtf8(app.UserPassword)},
                      {"UserDefine", ToUtf8(app.UserDefine)},
                      {"UserEtc", ToUtf8(app.UserEtc)},
                      {"Script", ToUtf8(app.Script)},
                      {"Scenes", TextsToJson(app.Scenes)}};
}

AppInfo AppFromJson(const json& j) {
  if (!j.is_object()) throw std::invalid_argument("an App must be a JSON object");
  AppInfo app;
  Take(j, "Name", app.Name);
  Take(j, "Description", app.Description);
  Take(j, "UserId", app.UserId);
  Take(j, "UserPassword", app.UserPassword);
  Take(j, "UserDefine", app.UserDefine);
  Take(j, "UserEtc", app.UserEtc);
  Take(j, "Script", app.Script);
  if (const json* scenes = TakeArray(j, "Scenes")) {
    for (const json& name : *scenes) {
      if (!name.is_string()) throw std::invalid_argument("each Scene name must be a text");
      app.Scenes.push_back(FromUtf8(name.get<std::string>()));
    }
  }
  return app;
}

}  // namespace zor::cli
