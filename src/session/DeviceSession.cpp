#include "session/DeviceSession.h"

#include <algorithm>
#include <utility>

#include "device/DriverFactory.h"
#include "model/AppConfig.h"
#include "platform/Diag.h"
#include "platform/StageProbe.h"

namespace zor {
namespace {

// The trace category that ZORKVM_DEBUG names (README).
constexpr std::string_view kDiag = "client";

// Device types whose drivers have a full-control rate to switch to.
bool HasStreamMode(uint32_t type) { return type == kSoftKvmDeviceType || type == kTesselDeviceType; }

}  // namespace

DeviceSession::DeviceSession(DeviceInfo* device) : device_(device) {}

DeviceSession::~DeviceSession() {
  if (full_control_open_.load()) CloseFullControl();
  SetDriver(nullptr);
}

void DeviceSession::InstallDriver() {
  SetDriver(device_ ? CreateDriver(device_->Type, *this) : nullptr);
  diag::Write(kDiag, std::string("DeviceSession::InstallDriver() ") +
                         (driver_ ? "driver created" : "no driver for this device type"));
  SetState(ConnectionState::Connecting);
}

void DeviceSession::RecreateDriver(DeviceInfo* device) {
  SetDriver(nullptr);  // joins the old driver's threads before the record may change under them
  if (device) device_ = device;
  SetDriver(device_ ? CreateDriver(device_->Type, *this) : nullptr);
  if (State() != ConnectionState::Connecting) SetState(ConnectionState::Connecting);
  Notify();
}

void DeviceSession::SetDriver(std::unique_ptr<DeviceDriver> driver) {
  std::unique_ptr<DeviceDriver> old;
  {
    std::unique_lock lock(driver_mutex_);  // waits for calls through leases in progress
    old = std::exchange(driver_, std::move(driver));
  }
  // Deleted outside the lock: the destructor joins the driver's threads, whose frames may wake
  // workers that are about to lease the driver.
  old.reset();
}

void DeviceSession::OpenFullControl() {
  if (driver_ && device_ && HasStreamMode(device_->Type)) driver_->StartStream();
  full_control_open_.store(true);
  Notify();
}

void DeviceSession::CloseFullControl() {
  if (driver_) driver_->StopStream();
  if (full_control_open_.exchange(false)) Notify();
}

void DeviceSession::ReportFailure(const std::string& reason) {
  diag::Write(kDiag, "DeviceSession: Error: " + reason);
  {
    std::lock_guard lock(state_mutex_);
    if (state_ != ConnectionState::Error) state_before_failure_ = state_;
    state_ = ConnectionState::Error;
    connect_wait_ = 0;
    failure_ = reason;
  }
  Notify();
}

void DeviceSession::ClearFailure() {
  {
    std::lock_guard lock(state_mutex_);
    if (state_ != ConnectionState::Error) return;
    state_ = state_before_failure_;
    failure_.clear();
  }
  Notify();
}

std::string DeviceSession::LastError() const {
  {
    std::lock_guard lock(state_mutex_);
    if (!failure_.empty()) return failure_;
  }
  const DriverLease driver = LeaseDriver();
  return driver ? driver->LastError() : std::string();
}

void DeviceSession::OnFrame(FramePtr frame) {
  if (!frame) return;
  const probe::StageTimer timer(probe::Stage::FanOut);
  // Empty when asked for by no one (every view out of sight): the picture came, and the last one
  // shown stays. A picture is in place before the listener hears of Streaming, which may read it.
  const bool decoded = !frame->Empty();
  if (decoded) {
    std::lock_guard lock(image_mutex_);
    screen_ = frame;
  }
  if (MarkStreaming()) Notify();
  if (!decoded) return;
  std::lock_guard lock(consumers_mutex_);
  for (const Attached& attached : consumers_) {
    // A consumer that attached after this picture was decoded small waits for the next one,
    // which NeededPicture then asks at full size.
    if (attached.consumer->Need().ServedBy(*frame)) attached.consumer->OnFrame(frame);
  }
}

PictureNeed DeviceSession::NeededPicture() const {
  std::lock_guard lock(consumers_mutex_);
  if (consumers_.empty()) return PictureNeed::FullSize();
  PictureNeed need = consumers_.front().consumer->Need();
  for (const Attached& attached : consumers_) need = need.Union(attached.consumer->Need());
  return need;
}

bool DeviceSession::MarkStreaming() {
  std::lock_guard lock(state_mutex_);
  if (state_ == ConnectionState::Streaming || state_ == ConnectionState::Error) return false;
  state_ = ConnectionState::Streaming;
  connect_wait_ = 0;
  return true;
}

void DeviceSession::AttachConsumer(ConsumerRole role, IFrameConsumer* consumer) {
  if (!consumer) return;
  std::lock_guard lock(consumers_mutex_);
  // After the last consumer of the same or an earlier role: the fan-out order.
  auto at = std::find_if(consumers_.begin(), consumers_.end(), [role](const Attached& a) { return a.role > role; });
  consumers_.insert(at, Attached{role, consumer});
}

void DeviceSession::DetachConsumer(IFrameConsumer* consumer) {
  std::lock_guard lock(consumers_mutex_);
  std::erase_if(consumers_, [consumer](const Attached& a) { return a.consumer == consumer; });
}

FramePtr DeviceSession::CurrentFrame() const {
  std::lock_guard lock(image_mutex_);
  return screen_;
}

ConnectionState DeviceSession::State() const {
  std::lock_guard lock(state_mutex_);
  return state_;
}

int32_t DeviceSession::ConnectWait() const {
  std::lock_guard lock(state_mutex_);
  return connect_wait_;
}

void DeviceSession::SetState(ConnectionState state) {
  {
    std::lock_guard lock(state_mutex_);
    state_ = state;
    connect_wait_ = 0;
    failure_.clear();
  }
  Notify();
}

int32_t DeviceSession::TickConnectWait() {
  std::lock_guard lock(state_mutex_);
  return ++connect_wait_;
}

void DeviceSession::Notify() {
  if (ISessionListener* listener = listener_.load()) listener->SessionChanged();
}

}  // namespace zor
