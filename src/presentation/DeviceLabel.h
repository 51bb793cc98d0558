#pragma once
// How the operator tells devices apart on panes, tooltips and questions.
#include <string>

#include "model/DeviceInfo.h"

namespace zor {

// The device's name, or its address when it has none.
std::u16string DeviceLabel(const DeviceInfo& device);

// Name, type and where it is reached, on one line: "Kiosk 3 · ZOR SoftKVM · 10.0.0.5:8080"; the
// name is left out when there is none, the type when it is unknown.
std::u16string DeviceSummary(const DeviceInfo& device);

}  // namespace zor
