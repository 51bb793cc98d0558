#pragma once
// The simulated remote desktop: a deterministic, desktop-like picture (wallpaper, icons, two
// windows with title bars, buttons with text, a text field, a scrolling list, a task bar) with a
// visible mouse pointer, changed by the input that a device receives. Protocol-neutral: each
// simulated device type turns its own input messages into these calls.
//
// Thread-safe: input arrives on protocol threads while frames are taken on streaming threads.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/JpegEncoder.h"

namespace zor {

struct SimRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  bool Contains(int32_t px, int32_t py) const { return px >= x && py >= y && px < x + w && py < y + h; }
  int32_t CenterX() const { return x + w / 2; }
  int32_t CenterY() const { return y + h / 2; }
};

// Where the screen's targets are, for a given size. Tests and operators read it with
// `zorkvm-sim --print-layout`.
struct SimLayout {
  SimRect counter_window, counter_title, counter_label, ok_button, toggle_button, status_panel, text_field;
  SimRect report_window, report_title, report_list;
  SimRect taskbar, start_button;
  std::vector<SimRect> icons;
};
SimLayout MakeSimLayout(int32_t width, int32_t height);
nlohmann::ordered_json ToJson(const SimLayout& layout);

// Texts typed into the field are kept up to this many characters, like a short form field.
inline constexpr size_t kSimTextFieldChars = 32;
// Rows of the report window's list, scrolled by the wheel.
inline constexpr int32_t kSimReportRows = 50;

// What input has changed on the screen.
struct SimScreenState {
  int32_t pointer_x = 0;
  int32_t pointer_y = 0;
  int32_t ok_clicks = 0;
  int32_t toggle_clicks = 0;
  bool toggled_on = false;
  int32_t scroll_rows = 0;
  int32_t selected_icon = -1;
  std::string field;
  // The keyboard as the agent's key names leave it: Shift held, Caps Lock on.
  bool shift_down = false;
  bool caps_lock = false;
};

// Painting (SimPainter.cpp): the unchanging parts once, then the state and pointer per frame.
std::vector<uint8_t> PaintSimBackground(int32_t width, int32_t height, const SimLayout& layout);
void PaintSimState(std::vector<uint8_t>& bgra, int32_t width, int32_t height, const SimLayout& layout,
                   const SimScreenState& state);

class SimScreen {
 public:
  SimScreen(int32_t width, int32_t height);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  const SimLayout& Layout() const { return layout_; }

  // Input, in screen pixels. Button names are "left" and "right"; key names are the software
  // agent's ("a", "7", "space", "backspace", "enter", "shift", "capslock", ...). Letters and digits
  // type as on a US keyboard under the Shift and Caps Lock state that the keys left. Positions
  // are clamped to the screen.
  void MoveTo(int32_t x, int32_t y);
  void Button(std::string_view button, bool down);
  void Wheel(bool down);
  void Key(std::string_view name, bool down);
  // Replaces the field's text (UTF-8), for devices whose keyboard composes text itself.
  void SetFieldText(std::string text);

  // The current picture as JPEG; encoded again only when the screen changed or another
  // quality is asked. The bytes are shared and never written afterwards.
  std::shared_ptr<const std::vector<uint8_t>> Jpeg(int quality);
  // The current picture as BGRA (stride width * 4).
  void Render(std::vector<uint8_t>& bgra);

  // What input has done so far (for tests of the simulator itself).
  int32_t OkClicks() const;
  int32_t ToggleClicks() const;
  bool ToggledOn() const;
  std::string FieldText() const;

 private:
  void Changed();                     // caller holds mutex_
  void Click(int32_t x, int32_t y);   // caller holds mutex_
  void Type(char key);                // caller holds mutex_

  const int32_t width_;
  const int32_t height_;
  const SimLayout layout_;
  const std::vector<uint8_t> background_;  // the parts that never change, drawn once

  mutable std::mutex mutex_;
  SimScreenState state_;
  uint64_t version_ = 1;
  JpegEncoder encoder_;
  std::vector<uint8_t> canvas_;
  std::shared_ptr<const std::vector<uint8_t>> jpeg_;
  uint64_t jpeg_version_ = 0;
  int jpeg_quality_ = 0;
};

}  // namespace zor
