#pragma once
// A device pane whose session talks to a recording driver instead of a device, so that what
// the pane and its windows send shows up as the driver's lines. The record lives here because
// the pane keeps a reference to it.
#include <QCoreApplication>
#include <QWidget>
#include <memory>

#include "gui/pane/DevicePane.h"
#include "session/DeviceSession.h"
#include "support/RecordingDriver.h"

namespace zor::test {

// A software agent's record of the given screen size, for a RecordedPane: the size matters to
// the watchdog and to full control, the address never (the recorder replaces the driver).
inline DeviceInfo RecordedDevice(uint32_t screen_width, uint32_t screen_height) {
  DeviceInfo d;
  d.Type = 0;  // a device type with a streaming rate
  d.ConnectIP = u"127.0.0.1";
  d.Port = 1;
  d.ScreenWidth = screen_width;
  d.ScreenHeight = screen_height;
  return d;
}

class RecordedPane {
 public:
  explicit RecordedPane(const DeviceInfo& device) : device_(device) {
    auto driver = std::make_unique<RecordingDriver>();
    driver_ = driver.get();
    pane_->Session()->SetDriver(std::move(driver));
  }
  ~RecordedPane() {
    pane_.reset();  // closes a full control window still open
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QWidget& Host() { return host_; }
  DevicePane& Pane() { return *pane_; }
  RecordingDriver& Driver() { return *driver_; }

 private:
  QWidget host_;
  DeviceInfo device_;
  std::unique_ptr<DevicePane> pane_ = std::make_unique<DevicePane>(&host_, device_, 0, nullptr);
  RecordingDriver* driver_ = nullptr;  // owned by the pane's session
};

}  // namespace zor::test
