#pragma once
// Sending one action of an Item to the device: the driver calls of each action code and the
// waits between them. Runs on the App's worker thread.
#include <cstdint>
#include <functional>
#include <stop_token>

#include "model/ItemAction.h"
#include "session/DeviceFaces.h"

namespace zor {

// How the worker waits inside an action. `pause` sleeps between driver calls; `stop` is
// requested when the run is being stopped. Every wait returns early (at once) then; the action
// still makes its remaining driver calls, so that no button is left pressed on the remote
// computer, but without waiting.
struct ActionWait {
  ActionWait(std::function<void(int64_t ms)> pause_ms, std::stop_token run_stop = {})
      : pause(std::move(pause_ms)), stop(std::move(run_stop)) {}

  std::function<void(int64_t ms)> pause;
  std::stop_token stop;
};

// Executes `action` through the device's driver. Each driver call leases the driver for that
// call only, so a driver replaced meanwhile is never called after its deletion, and the waits
// never hold up the replacement. A typed text or key combination is waited for after its
// lease is released: the action's own wait starts once the device has it all. Without a
// driver nothing happens and no time is spent.
void ExecuteAction(const ItemAction& action, IDeviceInput& device, const ActionWait& wait);

// The pointer position of a mouse action, for the editor's marker: true for codes that move
// the pointer (clicks, moves, drags), with the point in `x`, `y` (a drag's start).
bool ActionPoint(const ItemAction& action, int32_t& x, int32_t& y);

}  // namespace zor
