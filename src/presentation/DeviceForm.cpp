#include "presentation/DeviceForm.h"

#include <algorithm>

#include "model/AppConfig.h"
#include "platform/LenientNumber.h"

namespace zor {
namespace {

std::u16string Decimal(uint32_t value) {
  std::u16string s;
  for (char c : std::to_string(value)) s.push_back(static_cast<char16_t>(c));
  return s;
}

std::u16string ChoiceText(std::span<const std::u16string_view> choices, uint32_t value) {
  return std::u16string(choices[ChoiceIndex(choices, value)]);
}

int TypeIndex(uint32_t type) {
  const auto& types = AppConfig::Instance().DeviceTypes;
  for (size_t i = 0; i < types.size(); ++i) {
    if (types[i].id == type) return static_cast<int>(i);
  }
  return 0;
}

int ScreenIndex(uint32_t width, uint32_t height) {
  const auto& rows = AppConfig::Instance().Resolutions;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (static_cast<uint32_t>(rows[i].width) == width && static_cast<uint32_t>(rows[i].height) == height) {
      return static_cast<int>(i);
    }
  }
  return 0;
}

// The leading decimal number; no digits, a negative or an oversized number give 0.
uint32_t NumberOf(const std::u16string& text) { return static_cast<uint32_t>(std::max(0, ParseLenientInt(text).value_or(0))); }

void TakeNumber(const std::u16string& text, uint32_t& field) {
  if (!text.empty()) field = NumberOf(text);
}

}  // namespace

int ChoiceIndex(std::span<const std::u16string_view> choices, uint32_t value) {
  const std::u16string text = Decimal(value);
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i] == text) return static_cast<int>(i);
  }
  return 0;
}

DeviceForm MakeDeviceForm(const DeviceInfo& device, std::vector<std::u16string> app_files) {
  DeviceForm form;
  form.type_index = TypeIndex(device.Type);
  form.screen_index = ScreenIndex(device.ScreenWidth, device.ScreenHeight);
  form.name = device.Name;
  form.connect_ip = device.ConnectIP;
  form.port = Decimal(device.Port);
  form.ctrl_port = Decimal(device.CtrlPort);
  form.user_id = device.UserId;
  form.user_password = device.UserPassword;
  form.ctrl_id = device.CtrlId;
  form.ctrl_password = device.CtrlPassword;
  form.thumb_quality = ChoiceText(kQualityChoices, device.ThumbQuality);
  form.thumb_fps = ChoiceText(kThumbFpsChoices, device.ThumbFps);
  form.full_quality = ChoiceText(kQualityChoices, device.FullQuality);
  form.full_fps = ChoiceText(kFullFpsChoices, device.FullFps);
  form.available_apps = std::move(app_files);
  // Every App of the record is listed as selected, also one whose file is gone.
  for (const auto& app : device.Apps) {
    auto found = std::find(form.available_apps.begin(), form.available_apps.end(), app);
    if (found != form.available_apps.end()) form.available_apps.erase(found);
    form.selected_apps.push_back(app);
  }
  return form;
}

void ApplyDeviceForm(const DeviceForm& form, DeviceInfo& device) {
  const AppConfig& config = AppConfig::Instance();
  if (form.type_index >= 0 && static_cast<size_t>(form.type_index) < config.DeviceTypes.size()) {
    device.Type = config.DeviceTypes[form.type_index].id;
  }
  if (form.screen_index >= 0 && static_cast<size_t>(form.screen_index) < config.Resolutions.size()) {
    device.ScreenWidth = static_cast<uint32_t>(config.Resolutions[form.screen_index].width);
    device.ScreenHeight = static_cast<uint32_t>(config.Resolutions[form.screen_index].height);
  }
  TakeNumber(form.thumb_quality, device.ThumbQuality);
  TakeNumber(form.thumb_fps, device.ThumbFps);
  TakeNumber(form.full_quality, device.FullQuality);
  TakeNumber(form.full_fps, device.FullFps);
  device.Name = form.name.substr(0, kMaxEditChars);
  TakeEditText(form.connect_ip, device.ConnectIP);
  TakeEditText(form.user_id, device.UserId);
  TakeEditText(form.user_password, device.UserPassword);
  TakeEditText(form.ctrl_id, device.CtrlId);
  TakeEditText(form.ctrl_password, device.CtrlPassword);
  device.Port = NumberOf(form.port);
  device.CtrlPort = NumberOf(form.ctrl_port);
  device.Apps = form.selected_apps;
}

}  // namespace zor
