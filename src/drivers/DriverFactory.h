#pragma once
// Drivers by device type: the only place that knows the concrete driver classes.
#include <cstdint>
#include <memory>

#include "client/ZorKvmClient.h"

namespace zor {

inline constexpr uint32_t kSoftKvmDeviceType = 0;  // "ZOR SoftKVM": software agent, ZorSoftKvmWS
inline constexpr uint32_t kTesselDeviceType = 1;   // "Tessel Lite": hardware device, TesselLite

// A new, unconnected driver for the device type, or null for a type without a driver.
std::unique_ptr<ZorKvmClient> CreateDriver(uint32_t device_type, IDriverOwner& owner);

}  // namespace zor
