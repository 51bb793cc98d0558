#pragma once
// The narrow faces of one device that the automation runner sees: its frames, its input and
// where a worker reports a failure. DeviceSession implements all three; the runner knows
// nothing else of the session.
#include <string>

#include "session/DriverLease.h"
#include "session/FrameConsumer.h"

namespace zor {

// Where a device's frames come from.
class IFrameSource {
 public:
  virtual ~IFrameSource() = default;
  // Consumers receive frames in ConsumerRole order, in attach order within a role. Detaching
  // waits for a delivery to that consumer in progress, so the consumer may be freed right after.
  virtual void AttachConsumer(ConsumerRole role, IFrameConsumer* consumer) = 0;
  virtual void DetachConsumer(IFrameConsumer* consumer) = 0;
};

// Input to the device through its driver, one call at a time.
class IDeviceInput {
 public:
  virtual ~IDeviceInput() = default;
  // The driver for one call from a thread other than the UI thread: it cannot be replaced or
  // deleted while the lease lives. Hold it for one driver call, never across a wait.
  virtual DriverLease LeaseDriver() const = 0;
};

// Where a worker that had to stop says why. Any thread.
class IFailureSink {
 public:
  virtual ~IFailureSink() = default;
  // `reason` is in words for the operator; the device shows the Error state with it.
  virtual void ReportFailure(const std::string& reason) = 0;
};

}  // namespace zor
