#pragma once
// One call's hold on a client's driver from a thread other than the UI thread.
#include <shared_mutex>

#include "client/ZorKvmClient.h"

namespace zor {

// While a lease lives the client cannot replace or delete its driver; the replacement waits.
// Hold a lease for one driver call, never across a sleep, so a replacement is held up for no
// longer than that call.
class DriverLease {
 public:
  DriverLease(std::shared_mutex& mutex, ZorKvmClient* driver) : lock_(mutex), driver_(driver) {}

  explicit operator bool() const { return driver_ != nullptr; }
  ZorKvmClient* operator->() const { return driver_; }
  ZorKvmClient* Get() const { return driver_; }

 private:
  std::shared_lock<std::shared_mutex> lock_;
  ZorKvmClient* driver_ = nullptr;
};

}  // namespace zor
