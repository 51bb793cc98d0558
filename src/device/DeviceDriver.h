#pragma once
// The device driver interface: one driver per DeviceSession, chosen by the device's type.
//
// Coordinates are pixels of the remote screen: (0, 0) top left, x to the right, y downwards, in
// the device's configured ScreenWidth x ScreenHeight. Input operations are called from the UI
// thread and from automation threads, possibly at the same time; they send nothing while the
// driver's channel is down. Frames are produced on the driver's own thread.
#include <cstdint>
#include <string>

#include "device/InputCompletion.h"
#include "input/KeyStroke.h"
#include "model/PictureNeed.h"
#include "model/ScreenImage.h"

namespace zor {

struct DeviceInfo;

// The timed sequences below, which a device type may have no way to perform.
enum class TimedInput : uint8_t { KeyCombo, TypeText, ToggleHangulMode };

// What a driver sees of its client: the device record and the frame sink.
class IDriverOwner {
 public:
  virtual ~IDriverOwner() = default;
  // The record the driver was made for; never null while the driver lives. Read on the UI
  // thread (Connect) and at construction; the record is replaced only through RecreateDriver.
  virtual const DeviceInfo* Device() const = 0;
  // Called on the driver's receive thread with each decoded frame, which is never written again;
  // empty (no pixels) when NeededPicture said that no picture would be seen.
  virtual void OnFrame(FramePtr frame) = 0;
  // How large the next picture must be decoded; asked on the driver's receive thread just before
  // each decode. The full picture unless the owner knows that only small views watch, or none.
  virtual PictureNeed NeededPicture() const { return PictureNeed::FullSize(); }
};

class DeviceDriver {
 public:
  // Disconnects first: stops every thread of the driver before anything is freed.
  virtual ~DeviceDriver() = default;

  // Full-control rate on / back to the thumbnail rate; valid in every connection state.
  virtual void StartStream() = 0;
  virtual void StopStream() = 0;
  // Starts the device's channels; frames follow asynchronously. The result is always true.
  virtual bool Connect() = 0;
  // Stops every thread and channel and drops timed input not yet sent; may be called
  // repeatedly and before any Connect.
  virtual void Disconnect() = 0;
  virtual bool ConnectInput() = 0;
  virtual void DisconnectInput() = 0;

  virtual void MouseMove(int32_t x, int32_t y) = 0;
  // down: true for a press.
  virtual void MouseButton(PointerButton button, bool down) = 0;
  // delta: wheel delta in multiples of 120, negative toward the user.
  virtual void MouseWheel(bool down, int32_t delta) = 0;
  virtual void KeyEvent(KeyStroke stroke) = 0;

  // Timed sequences: they are queued behind the input before them and sent on the driver's
  // input thread with the pauses the device needs, so the call returns at once and the caller
  // holds nothing while the device types. Input sent after the call comes after the sequence.
  // The completion ends when the sequence is over; a driver without such sequences returns a
  // completed one.
  // modifiers: HID modifier bits; usage: HID keyboard usage id.
  virtual InputCompletion KeyCombo(uint8_t modifiers, uint8_t usage) = 0;
  virtual InputCompletion TypeText(const std::u16string& text) = 0;
  virtual InputCompletion ToggleHangulMode() = 0;
  // Whether the device can perform `input` at all. One it cannot is accepted, does nothing and
  // completes at once; a caller that reports what was done asks here first. Any thread.
  virtual bool CanPerform(TimedInput input) const = 0;

  // Why the last attempt to reach the device failed (see LastErrorSlot); empty while it works.
  // Any thread.
  virtual std::string LastError() const = 0;
};

}  // namespace zor
