#pragma once
// How often the hardware device driver hands frames to its client: the device streams at its
// own rate, the driver passes on at most one frame per interval, a short one while the full
// control window is open and a long one for the thumbnail.
#include <cstdint>
#include <functional>

namespace zor {

struct DeviceInfo;

struct DeliveryIntervals {
  int32_t full_control_ms = 1000 / 30;
  int32_t thumbnail_ms = 1000 / 5;
};

// 1000 / FullFps and 1000 / ThumbFps in whole milliseconds; a rate that is not a positive
// number gives 30 and 5 frames per second. Without a record, the defaults of the struct.
DeliveryIntervals DeliveryIntervalsFor(const DeviceInfo* device);

// Decides when a complete picture goes to the client. A picture that comes before its interval
// is up is held (undecoded, by the caller) in place of any picture held before, and goes out
// when the interval is up, whether or not another one comes: the rate limit drops the older
// pictures, never the newest. Deliveries keep their cadence when the wake-up comes a little
// late, so the delivered rate is the lower of the source's and the configured one.
// Plain logic on the caller's thread (the driver's strand); time comes from the injected clock.
class DeliveryPacer {
 public:
  using Clock = std::function<int64_t()>;  // monotonic nanoseconds

  enum class Decision {
    kDeliverNow,  // hand the picture over now; it counts as delivered
    kHold,        // keep it instead of the one held before, until DueNs()
  };

  // The last delivery counts as happening `phase_ns` (at most an interval) before construction,
  // so that pacers made together keep cadences of their own.
  explicit DeliveryPacer(Clock clock, int64_t phase_ns = 0);

  // A complete picture arrived.
  Decision OnPicture(int64_t interval_ns);
  // The held picture, when there is one and its interval is up: true when it is to be delivered
  // now (it then counts as delivered and is no longer held).
  bool TakeHeldIfDue(int64_t interval_ns);
  bool Holding() const { return holding_; }
  // When the next delivery may happen.
  int64_t DueNs(int64_t interval_ns) const { return last_delivery_ns_ + interval_ns; }

 private:
  void MarkDelivered(int64_t now_ns, int64_t interval_ns);

  Clock clock_;
  // When the last delivery was due (or happened, after a pause longer than an interval).
  int64_t last_delivery_ns_ = 0;
  bool holding_ = false;
};

}  // namespace zor
