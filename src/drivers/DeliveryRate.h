#pragma once
// How often the hardware device driver hands frames to its client: the device streams at its
// own rate, the driver passes on at most one frame per interval, a short one while the full
// control window is open and a long one for the thumbnail.
#include <cstdint>

namespace zor {

struct DeviceInfo;

struct DeliveryIntervals {
  int32_t full_control_ms = 1000 / 30;
  int32_t thumbnail_ms = 1000 / 5;
};

// 1000 / FullFps and 1000 / ThumbFps in whole milliseconds; a rate that is not a positive
// number gives 30 and 5 frames per second. Without a record, the defaults of the struct.
DeliveryIntervals DeliveryIntervalsFor(const DeviceInfo* device);

}  // namespace zor
