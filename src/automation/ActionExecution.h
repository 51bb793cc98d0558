#pragma once
// Sending one action of an Item to the device: the driver calls of each action code and the
// waits between them. Runs on the App's worker thread.
#include <cstdint>
#include <functional>

#include "model/ItemAction.h"
#include "session/DeviceFaces.h"

namespace zor {

// How the worker waits between driver calls. It returns early (at once) when the run is being
// stopped; the action then still makes its remaining driver calls, so that no button is left
// pressed on the remote computer, but without waiting.
using ActionWait = std::function<void(int64_t ms)>;

// Executes `action` through the device's driver. Each driver call leases the driver for that
// call only, so a driver replaced meanwhile is never called after its deletion, and the waits
// never hold up the replacement. Without a driver nothing happens and no time is spent.
void ExecuteAction(const ItemAction& action, IDeviceInput& device, const ActionWait& wait);

// The pointer position of a mouse action, for the editor's marker: true for codes that move
// the pointer (clicks, moves, drags), with the point in `x`, `y` (a drag's start).
bool ActionPoint(const ItemAction& action, int32_t& x, int32_t& y);

}  // namespace zor
