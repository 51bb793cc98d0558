#pragma once
// A driver's owner for tests: holds the device record and keeps every frame the driver hands it
// (count, newest frame, the time of each), safely across the driver's threads.
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/DeviceDriver.h"
#include "model/DeviceInfo.h"
#include "platform/Clock.h"

namespace zor::test {

class RecordingOwner : public IDriverOwner {
 public:
  explicit RecordingOwner(DeviceInfo device = {}) : device_(std::move(device)) {}

  const DeviceInfo* Device() const override { return &device_; }
  DeviceInfo& MutableDevice() { return device_; }

  void OnFrame(FramePtr frame) override {
    std::lock_guard lock(mutex_);
    frame_times_ns_.push_back(MonotonicNs());
    last_ = std::move(frame);
  }

  size_t FrameCount() const {
    std::lock_guard lock(mutex_);
    return frame_times_ns_.size();
  }
  FramePtr Last() const {
    std::lock_guard lock(mutex_);
    return last_;
  }
  std::vector<int64_t> FrameTimesNs() const {
    std::lock_guard lock(mutex_);
    return frame_times_ns_;
  }

 private:
  DeviceInfo device_;
  mutable std::mutex mutex_;
  FramePtr last_;
  std::vector<int64_t> frame_times_ns_;
};

// A software agent device record pointing at address:port.
inline DeviceInfo SoftKvmDevice(const std::u16string& address, uint16_t port, uint32_t width = 1920,
                                uint32_t height = 1080) {
  DeviceInfo d;
  d.Type = 0;
  d.ConnectIP = address;
  d.Port = port;
  d.ScreenWidth = width;
  d.ScreenHeight = height;
  return d;
}

}  // namespace zor::test
