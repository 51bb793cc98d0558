#pragma once
// The live side of one configured device: its driver slot and lease, its connection state with
// the last error, its current screen image, and the fan-out of every frame to the windows and
// workers that consume it. It knows nothing of panes, buttons, the runner or the editor: the
// pane's controller drives it, and the runner sees it only through the faces of DeviceFaces.h.
//
// Threads: everything runs on the UI thread except OnFrame (the driver's receive thread),
// ReportFailure (a worker) and the read-only getters, which any thread may call.
#include <atomic>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <vector>

#include "device/DeviceDriver.h"
#include "model/DeviceInfo.h"
#include "session/ConnectionState.h"
#include "session/DeviceFaces.h"

namespace zor {

// Told when the session's state changes; any thread (also the driver's and a worker's). Post
// the work; do not call back into the session from here.
class ISessionListener {
 public:
  virtual ~ISessionListener() = default;
  virtual void SessionChanged() = 0;
};

class DeviceSession : public IDriverOwner, public IFrameSource, public IDeviceInput, public IFailureSink {
 public:
  // `device` is not owned and must outlive the session (or be replaced by RecreateDriver).
  explicit DeviceSession(DeviceInfo* device);
  // The full control rate is dropped, then the driver goes (its destructor disconnects).
  // Whoever runs workers on the session stops them first.
  ~DeviceSession() override;
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // Not owned; set before connecting, cleared (nullptr) before the listener goes away.
  void SetListener(ISessionListener* listener) { listener_.store(listener); }

  // Creates the driver by the record's type and shows Connecting. The driver is not connected
  // here. Call once.
  void InstallDriver();
  // Replaces the driver after the record was edited, optionally giving a new record; the old
  // driver disconnects in its destructor. The state goes back to Connecting. A run goes on: its
  // workers wait for the swap and send their next input to the new driver.
  void RecreateDriver(DeviceInfo* device = nullptr);
  // Puts `driver` in place of the current one (tools and tests that bring their own driver);
  // waits for calls through leases of the old driver to return before deleting it.
  void SetDriver(std::unique_ptr<DeviceDriver> driver);

  // The full control window opened: the driver raises its rate to the full-control rate.
  void OpenFullControl();
  // The full control window went away: the driver falls back to its thumbnail rate.
  void CloseFullControl();
  bool FullControlOpen() const { return full_control_open_.load(); }

  // IDriverOwner
  const DeviceInfo* Device() const override { return device_; }
  void OnFrame(FramePtr frame) override;
  // What the attached consumers need together: small only while every one of them shows the
  // picture small (the thumbnail alone), nothing while none of them is in sight (their frames
  // then come empty and only keep the state Streaming), the full picture otherwise, and also
  // with no consumer at all (CurrentFrame is then the screen pixel for pixel). Driver's thread.
  PictureNeed NeededPicture() const override;

  // IFrameSource
  void AttachConsumer(ConsumerRole role, IFrameConsumer* consumer) override;
  void DetachConsumer(IFrameConsumer* consumer) override;

  // The driver: null for an unknown device type. UI thread only (the thread that replaces it).
  DeviceDriver* Driver() const { return driver_.get(); }
  // IDeviceInput
  DriverLease LeaseDriver() const override { return DriverLease(driver_mutex_, driver_); }

  // IFailureSink: shows Error with `reason` as the last error, until the state is set again or
  // the failure is cleared. Frames that go on arriving leave Error in place.
  void ReportFailure(const std::string& reason) override;
  // The operator acted on the failure (stopped or restarted the run): the state goes back to
  // what it was before the failure. Nothing happens without a failure.
  void ClearFailure();
  // Why the device is in Error, or else why the driver's last attempt to reach the device
  // failed, in words for the operator; empty while all is well and without a driver. Any thread.
  std::string LastError() const;

  // The latest frame, null before the first. Decoded small (see ScreenImage::Scaled) when only
  // small views watched the device as it came; older than the device's screen while no view
  // was in sight.
  FramePtr CurrentFrame() const;

  ConnectionState State() const;
  // Ticks of the connect timer spent Connecting since the last change of state.
  int32_t ConnectWait() const;
  // Writes the state, forgets a failure and resets ConnectWait to 0, then tells the listener.
  void SetState(ConnectionState state);
  // One tick of the connect timer while Connecting; returns the new count.
  int32_t TickConnectWait();

 private:
  struct Attached {
    ConsumerRole role = ConsumerRole::Thumbnail;
    IFrameConsumer* consumer = nullptr;
  };

  // Moves to Streaming unless already there or in Error; true on a change.
  bool MarkStreaming();
  void Notify();

  DeviceInfo* device_ = nullptr;
  std::atomic<bool> full_control_open_{false};
  // Written only under driver_mutex_ held exclusively; workers read it through leases.
  mutable std::shared_mutex driver_mutex_;
  std::unique_ptr<DeviceDriver> driver_;
  std::atomic<ISessionListener*> listener_{nullptr};

  // Guards the connection state, its tick count and the failure (written by the UI thread, by
  // the driver's thread for the first frame and by workers for a failure).
  mutable std::mutex state_mutex_;
  ConnectionState state_ = ConnectionState::Offline;
  int32_t connect_wait_ = 0;
  std::string failure_;                                      // empty unless in Error
  ConnectionState state_before_failure_ = ConnectionState::Offline;

  // Guards the session's own image.
  mutable std::mutex image_mutex_;
  FramePtr screen_;

  // Held for a whole fan-out, so that detaching waits until no delivery is in progress; also
  // while the consumers' needs are read before a decode. Lock order: this mutex, then the
  // consumer's own lock (inside its OnFrame).
  mutable std::mutex consumers_mutex_;
  std::vector<Attached> consumers_;
};

}  // namespace zor
