#pragma once
// The rule of the main window's one-second ConnectTimer: connect the device panes one at a time,
// and restart a connection attempt that hangs. Plain code over a small pane interface, so the
// rule is tested without windows; the main window calls ConnectTimerStep once per tick on the
// GUI thread.
#include <cstdint>
#include <span>

namespace zor {

// Period of ConnectTimer.
inline constexpr int kConnectTimerPeriodMs = 1000;
// Ticks a pane may spend Connecting after it was pressed before the attempt is restarted.
inline constexpr int32_t kMaxConnectWaitTicks = 6;

// What ConnectTimer sees of one device pane (its controller, through the GUI pane).
class IConnectTimerPane {
 public:
  virtual ~IConnectTimerPane() = default;
  virtual bool IsConnecting() const = 0;
  virtual int32_t ConnectWait() const = 0;
  // Counts one tick spent Connecting.
  virtual void TickConnectWait() = 0;
  // Abandons the attempt: disconnects the driver, shows the connect button in its first state,
  // and shows Offline (ConnectWait 0) unless the pane is Offline already.
  virtual void GiveUpConnecting() = 0;
  // Presses the connect button exactly as a click does.
  virtual void PressConnect() = 0;
};

// One tick: the first pane that is Connecting is pressed when its wait is 0, and given up and
// pressed again once its wait exceeds kMaxConnectWaitTicks; its wait then counts one tick.
// Other panes are left alone until that one leaves Connecting.
void ConnectTimerStep(std::span<IConnectTimerPane* const> panes);

}  // namespace zor
