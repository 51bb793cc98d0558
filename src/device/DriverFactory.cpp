#include "device/DriverFactory.h"

#include "device/PhaseSpread.h"
#include "device/SoftKvmDriver.h"
#include "device/TesselLiteDriver.h"

namespace zor {

std::unique_ptr<DeviceDriver> CreateDriver(uint32_t device_type, IDriverOwner& owner) {
  switch (device_type) {
    case kSoftKvmDeviceType: return std::make_unique<SoftKvmDriver>(owner, SystemPacingClock(), NextPhaseFraction());
    case kTesselDeviceType: return std::make_unique<TesselLiteDriver>(owner, NextPhaseFraction());
    default: return nullptr;
  }
}

}  // namespace zor
