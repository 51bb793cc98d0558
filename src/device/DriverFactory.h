#pragma once
// Drivers by device type: the only place that knows the concrete driver classes.
#include <cstdint>
#include <memory>

#include "device/DeviceDriver.h"

namespace zor {

inline constexpr uint32_t kSoftKvmDeviceType = 0;  // "ZOR SoftKVM": software agent, SoftKvmDriver
inline constexpr uint32_t kTesselDeviceType = 1;   // "Tessel Lite": hardware device, TesselLiteDriver

// A new, unconnected driver for the device type, or null for a type without a driver.
std::unique_ptr<DeviceDriver> CreateDriver(uint32_t device_type, IDriverOwner& owner);

}  // namespace zor
