#pragma once
// A driver's owner for tests: holds the device record and records every frame handed over,
// with the monotonic time it arrived, so tests can wait for frames and check their spacing.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "client/ZorKvmClient.h"
#include "platform/Clock.h"
#include "shell/DeviceInfo.h"

namespace zor::test {

struct RecordedFrame {
  int64_t time_ns = 0;
  FramePtr frame;
};

class RecordingOwner : public IDriverOwner {
 public:
  explicit RecordingOwner(DeviceInfo device) : device_(std::move(device)) {}

  const DeviceInfo* Device() const override { return &device_; }

  // On the driver's thread.
  void OnFrame(FramePtr frame) override {
    std::lock_guard lock(mutex_);
    frames_.push_back({MonotonicNs(), std::move(frame)});
    changed_.notify_all();
  }

  // True once at least `count` frames have arrived in all, within `timeout_ms`.
  bool WaitForFrames(size_t count, int timeout_ms) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return frames_.size() >= count; });
  }

  std::vector<RecordedFrame> Frames() {
    std::lock_guard lock(mutex_);
    return frames_;
  }

  size_t FrameCount() {
    std::lock_guard lock(mutex_);
    return frames_.size();
  }

 private:
  DeviceInfo device_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<RecordedFrame> frames_;
};

// A hardware device record pointing at address:port.
inline DeviceInfo TesselDevice(const std::string& address, uint16_t port) {
  DeviceInfo d;
  d.Type = 1;
  d.ConnectIP = std::u16string(address.begin(), address.end());
  d.Port = port;
  return d;
}

}  // namespace zor::test
