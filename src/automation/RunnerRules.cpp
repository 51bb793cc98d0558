#include "automation/RunnerRules.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zor {

WorkRect ComputeWorkRect(const AppInfo& app, int32_t app_count, int32_t frame_width, int32_t frame_height) {
  if (app.WorkWidth > 0 && app.WorkHeight > 0) {
    // 64-bit sums: a script can set any int32 origin and size; the engines clip to the frame.
    const auto right = static_cast<int64_t>(app.WorkLeft) + app.WorkWidth;
    const auto bottom = static_cast<int64_t>(app.WorkTop) + app.WorkHeight;
    return {app.WorkLeft, app.WorkTop, static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX)),
            static_cast<int32_t>(std::min<int64_t>(bottom, INT32_MAX))};
  }
  const int32_t strip = app_count > 0 ? frame_width / app_count : frame_width;
  const int32_t left = strip * app.Index;
  return {left, 0, left + strip, frame_height};
}

ItemSelection SelectNextItem(AppInfo& app, bool may_change_scene, uint64_t now_ms) {
  if (!app.Scene || app.Scene->Items.empty()) return {};
  if (app.Delay >= 1) {
    --app.Delay;
    return {};
  }
  // A snapshot of the pointers: the editor may own the Scene (a Scene run) and its list.
  const std::vector<std::shared_ptr<Item>> items = app.Scene->Items;
  const size_t n = items.size();
  const size_t start = app.NextStart > 0 ? static_cast<size_t>(app.NextStart) : 0;
  int32_t active = 0;
  for (size_t i = 0; i < n; ++i) {
    const size_t k = (start + i) % n;
    if (!items[k] || !items[k]->Active) continue;
    Item& item = *items[k];
    ++active;
    if (item.ItemDelay > 0) {
      --item.ItemDelay;
      continue;
    }
    if (item.CooldownMs > 0 && now_ms - item.LastEvalMs < item.CooldownMs) continue;
    app.NextStart = static_cast<int32_t>((k + 1) % n);
    return {items[k], false};
  }
  if (active > 0) return {};
  ++app.EmptyTicks;
  return {nullptr, app.EmptyTicks > 1 && may_change_scene};
}

}  // namespace zor
