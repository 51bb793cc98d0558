#pragma once
// How a run of the automation was started; each worker keeps the mode of its own App, since an
// editor test may run beside the device's Apps.
#include <cstdint>

namespace zor {

enum class RunMode : uint32_t {
  RunApps = 0,         // the device's Apps; Scenes change when they run out of active Items
  TestItem = 1,        // the editor's Item test: analysis only, best match to the editor
  RunEditorScene = 2,  // the editor's Scene run: as RunApps but never changing Scene
};

}  // namespace zor
