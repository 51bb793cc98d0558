#include <algorithm>
#include <cmath>

#include "sim/SimScreen.h"

namespace zor {
namespace {

// Sizes are designed for 1920 x 1080 and scaled to the screen, never below one pixel.
class Scale {
 public:
  Scale(int32_t width, int32_t height) : factor_(std::min(width / 1920.0, height / 1080.0)) {}
  int32_t operator()(int32_t design_px) const {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(design_px * factor_)));
  }

 private:
  double factor_ = 1.0;
};

int32_t Part(int32_t total, double fraction) { return static_cast<int32_t>(total * fraction); }

}  // namespace

SimLayout MakeSimLayout(int32_t width, int32_t height) {
  const Scale s(width, height);
  SimLayout l;
  // The task bar keeps room for its button even on the smallest screens.
  const int32_t bar = std::max(8, s(40));
  const int32_t pad = std::min(s(4), bar / 4);
  l.taskbar = {0, height - bar, width, bar};
  l.start_button = {pad, height - bar + pad, s(120), bar - 2 * pad};
  for (int32_t i = 0; i < 4; ++i) l.icons.push_back({s(24), s(24) + i * s(120), s(64), s(64)});

  l.counter_window = {Part(width, 0.22), Part(height, 0.12), Part(width, 0.34), Part(height, 0.42)};
  const SimRect& cw = l.counter_window;
  l.counter_title = {cw.x, cw.y, cw.w, s(32)};
  l.counter_label = {cw.x + s(24), cw.y + s(56), cw.w - 2 * s(24), s(40)};
  l.ok_button = {cw.x + s(24), cw.y + s(120), s(140), s(44)};
  l.toggle_button = {l.ok_button.x + s(170), l.ok_button.y, s(140), s(44)};
  l.status_panel = {l.toggle_button.x + s(170), l.ok_button.y, s(100), s(44)};
  l.text_field = {cw.x + s(24), cw.y + s(200), cw.w - 2 * s(24), s(40)};

  l.report_window = {Part(width, 0.58), Part(height, 0.40), Part(width, 0.36), Part(height, 0.46)};
  const SimRect& rw = l.report_window;
  l.report_title = {rw.x, rw.y, rw.w, s(32)};
  l.report_list = {rw.x + s(16), rw.y + s(48), rw.w - 2 * s(16), rw.h - s(64)};
  return l;
}

nlohmann::ordered_json ToJson(const SimLayout& l) {
  auto rect = [](const SimRect& r) { return nlohmann::ordered_json::array({r.x, r.y, r.w, r.h}); };
  nlohmann::ordered_json icons = nlohmann::ordered_json::array();
  for (const SimRect& r : l.icons) icons.push_back(rect(r));
  return {{"counter_window", rect(l.counter_window)}, {"counter_title", rect(l.counter_title)},
          {"counter_label", rect(l.counter_label)},   {"ok_button", rect(l.ok_button)},
          {"toggle_button", rect(l.toggle_button)},   {"status_panel", rect(l.status_panel)},
          {"text_field", rect(l.text_field)},         {"report_window", rect(l.report_window)},
          {"report_title", rect(l.report_title)},     {"report_list", rect(l.report_list)},
          {"taskbar", rect(l.taskbar)},               {"start_button", rect(l.start_button)},
          {"icons", icons}};
}

}  // namespace zor
