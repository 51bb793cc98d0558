#pragma once
// The rules of one runner step that need no thread: which area a step analyses and which Item
// it evaluates. Called on the App's worker thread.
#include <cstdint>
#include <memory>

#include "analysis/AnalysisEngine.h"
#include "model/AppInfo.h"

namespace zor {

// The App's work area when it has one (width and height > 0); otherwise its vertical strip of
// the frame: Apps that run together divide the width equally, in App order.
WorkRect ComputeWorkRect(const AppInfo& app, int32_t app_count, int32_t frame_width, int32_t frame_height);

struct ItemSelection {
  std::shared_ptr<Item> item;  // the Item to evaluate in this step, or null
  // The Scene has had no active Item on a second step and the App should move to the next one.
  bool scene_finished = false;
};

// Picks the next active Item of the App's current Scene, round robin from the App's next start,
// passing over Items still under their item delay (counting it down) or their cooldown. An App
// delay skips the whole step (counting it down). Steps without any active Item count the App's
// empty ticks; `may_change_scene` says whether the second of them finishes the Scene.
// `now_ms` is the tick count; cooldowns compare in unsigned 64-bit arithmetic.
ItemSelection SelectNextItem(AppInfo& app, bool may_change_scene, uint64_t now_ms);

}  // namespace zor
