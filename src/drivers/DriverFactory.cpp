#include "drivers/DriverFactory.h"

#include "drivers/TesselLite.h"
#include "drivers/ZorSoftKvmWS.h"

namespace zor {

std::unique_ptr<ZorKvmClient> CreateDriver(uint32_t device_type, IDriverOwner& owner) {
  switch (device_type) {
    case kSoftKvmDeviceType: return std::make_unique<ZorSoftKvmWS>(owner);
    case kTesselDeviceType: return std::make_unique<TesselLite>(owner);
    default: return nullptr;
  }
}

}  // namespace zor
