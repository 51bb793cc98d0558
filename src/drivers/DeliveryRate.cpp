#include "drivers/DeliveryRate.h"

#include "shell/DeviceInfo.h"

namespace zor {
namespace {

int32_t IntervalMs(uint32_t fps, int32_t fallback_fps) {
  // The record keeps rates unsigned; a value past the signed range counts as not positive, as
  // it did when the rate was a signed number.
  const auto signed_fps = static_cast<int32_t>(fps);
  return 1000 / (signed_fps > 0 ? signed_fps : fallback_fps);
}

}  // namespace

DeliveryIntervals DeliveryIntervalsFor(const DeviceInfo* device) {
  if (!device) return {};
  return {IntervalMs(device->FullFps, 30), IntervalMs(device->ThumbFps, 5)};
}

}  // namespace zor
