#pragma once
// One call's hold on a session's driver from a thread other than the UI thread.
#include <memory>
#include <shared_mutex>

#include "device/DeviceDriver.h"

namespace zor {

// While a lease lives the session cannot replace or delete its driver; the replacement waits.
// Hold a lease for one driver call, never across a sleep, so a replacement is held up for no
// longer than that call.
class DriverLease {
 public:
  // Reads the owner's driver slot only once the lock is held (lock_ is initialised first).
  DriverLease(std::shared_mutex& mutex, const std::unique_ptr<DeviceDriver>& slot) : lock_(mutex), driver_(slot.get()) {}

  explicit operator bool() const { return driver_ != nullptr; }
  DeviceDriver* operator->() const { return driver_; }
  DeviceDriver* Get() const { return driver_; }

 private:
  std::shared_lock<std::shared_mutex> lock_;
  DeviceDriver* driver_ = nullptr;
};

}  // namespace zor
