#include "device/DeliveryRate.h"

#include "model/DeviceInfo.h"

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

DeliveryPacer::DeliveryPacer(Clock clock, int64_t phase_ns)
    : clock_(std::move(clock)), last_delivery_ns_(clock_() - phase_ns) {}

DeliveryPacer::Decision DeliveryPacer::OnPicture(int64_t interval_ns) {
  const int64_t now_ns = clock_();
  if (now_ns < DueNs(interval_ns)) {
    holding_ = true;
    return Decision::kHold;
  }
  holding_ = false;
  MarkDelivered(now_ns, interval_ns);
  return Decision::kDeliverNow;
}

bool DeliveryPacer::TakeHeldIfDue(int64_t interval_ns) {
  const int64_t now_ns = clock_();
  if (!holding_ || now_ns < DueNs(interval_ns)) return false;
  holding_ = false;
  MarkDelivered(now_ns, interval_ns);
  return true;
}

void DeliveryPacer::MarkDelivered(int64_t now_ns, int64_t interval_ns) {
  const int64_t due_ns = DueNs(interval_ns);
  // A delivery less than an interval late keeps the cadence, so a timer that wakes a little
  // late does not lower the rate; after a longer pause the cadence starts over from now.
  last_delivery_ns_ = now_ns - due_ns < interval_ns ? due_ns : now_ns;
}

}  // namespace zor
