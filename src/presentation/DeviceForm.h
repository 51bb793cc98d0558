#pragma once
// The device dialog's contents as plain data: what the controls show for a record, and how the
// record changes when the operator presses OK. The dialog only copies between this and widgets.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/DeviceInfo.h"
#include "presentation/FormText.h"

namespace zor {

// Fixed choices of the quality and frame-rate lists, in list order.
inline constexpr std::array<std::u16string_view, 5> kQualityChoices = {u"100", u"90", u"80", u"70", u"60"};
inline constexpr std::array<std::u16string_view, 7> kThumbFpsChoices = {u"4", u"5", u"6", u"7", u"8", u"9", u"10"};
inline constexpr std::array<std::u16string_view, 6> kFullFpsChoices = {u"5", u"10", u"15", u"20", u"25", u"30"};

struct DeviceForm {
  std::u16string name;   // empty: the pane shows the address
  int type_index = 0;    // row of AppConfig::DeviceTypes
  int screen_index = 0;  // row of AppConfig::Resolutions
  std::u16string connect_ip;
  std::u16string port;
  std::u16string ctrl_port;
  std::u16string user_id;
  std::u16string user_password;
  std::u16string ctrl_id;
  std::u16string ctrl_password;
  // Texts of the selected entries of the four fixed lists.
  std::u16string thumb_quality;
  std::u16string thumb_fps;
  std::u16string full_quality;
  std::u16string full_fps;
  std::vector<std::u16string> selected_apps;   // "Select App", in running order
  std::vector<std::u16string> available_apps;  // "App List": App files not selected
};

// What the dialog shows for `device`; `app_files` are the App names found in the Apps folder.
// A value that matches no entry of its list selects the list's first entry.
DeviceForm MakeDeviceForm(const DeviceInfo& device, std::vector<std::u16string> app_files);

// The OK rule: lists and numbers replace their fields; a text edit left empty keeps the stored
// value, except the name, which an empty edit clears (the pane then shows the address); texts
// are cut to kMaxEditChars; "Select App" becomes the App list. Nothing is validated.
void ApplyDeviceForm(const DeviceForm& form, DeviceInfo& device);

// Index of the entry whose text is the decimal `value`, or 0.
int ChoiceIndex(std::span<const std::u16string_view> choices, uint32_t value);

}  // namespace zor
