#include "presentation/DeviceLabel.h"

#include <vector>

#include "model/AppConfig.h"

namespace zor {
namespace {

constexpr std::u16string_view kSeparator = u" · ";

std::u16string Address(const DeviceInfo& device) {
  std::u16string address = device.ConnectIP + u":";
  for (char c : std::to_string(device.Port)) address += static_cast<char16_t>(c);
  return address;
}

}  // namespace

std::u16string DeviceLabel(const DeviceInfo& device) { return device.Name.empty() ? device.ConnectIP : device.Name; }

std::u16string DeviceSummary(const DeviceInfo& device) {
  std::vector<std::u16string> parts;
  if (!device.Name.empty()) parts.push_back(device.Name);
  if (const DeviceTypeInfo* type = AppConfig::Instance().FindDeviceType(device.Type)) parts.push_back(type->label);
  parts.push_back(Address(device));
  std::u16string summary;
  for (const std::u16string& part : parts) {
    if (!summary.empty()) summary += kSeparator;
    summary += part;
  }
  return summary;
}

}  // namespace zor
