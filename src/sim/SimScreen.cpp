#include "sim/SimScreen.h"

#include <algorithm>
#include <string_view>

namespace zor {
namespace {

// Smallest and largest simulated screen: below this nothing is recognisable, above it a single
// frame would be larger than a device may send.
constexpr int32_t kMinSide = 64;
constexpr int32_t kMaxSide = 7680;

int32_t ClampSide(int32_t side) { return std::clamp(side, kMinSide, kMaxSide); }

// What Shift makes of the digit keys on a US keyboard, indexed by the digit.
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

// The character a one-character key name types: Caps Lock changes letters only, Shift changes
// letters and digits.
char Typed(char key, bool shift, bool caps_lock) {
  if (key >= 'a' && key <= 'z') return shift != caps_lock ? static_cast<char>(key - 'a' + 'A') : key;
  if (key >= '0' && key <= '9' && shift) return kShiftedDigits[static_cast<size_t>(key - '0')];
  return key;
}

}  // namespace

SimScreen::SimScreen(int32_t width, int32_t height)
    : width_(ClampSide(width)),
      height_(ClampSide(height)),
      layout_(MakeSimLayout(width_, height_)),
      background_(PaintSimBackground(width_, height_, layout_)) {
  state_.pointer_x = width_ / 2;
  state_.pointer_y = height_ / 2;
}

void SimScreen::MoveTo(int32_t x, int32_t y) {
  std::lock_guard lock(mutex_);
  state_.pointer_x = std::clamp(x, 0, width_ - 1);
  state_.pointer_y = std::clamp(y, 0, height_ - 1);
  Changed();
}

void SimScreen::Button(std::string_view button, bool down) {
  if (button != "left" || !down) return;  // a left press is a click; nothing else acts
  std::lock_guard lock(mutex_);
  Click(state_.pointer_x, state_.pointer_y);
  Changed();
}

void SimScreen::Click(int32_t x, int32_t y) {
  if (layout_.ok_button.Contains(x, y)) ++state_.ok_clicks;
  if (layout_.toggle_button.Contains(x, y)) {
    ++state_.toggle_clicks;
    state_.toggled_on = !state_.toggled_on;
  }
  state_.selected_icon = -1;
  for (size_t i = 0; i < layout_.icons.size(); ++i) {
    if (layout_.icons[i].Contains(x, y)) state_.selected_icon = static_cast<int32_t>(i);
  }
}

void SimScreen::Wheel(bool down) {
  std::lock_guard lock(mutex_);
  state_.scroll_rows = std::clamp(state_.scroll_rows + (down ? 1 : -1), 0, kSimReportRows - 1);
  Changed();
}

void SimScreen::Key(std::string_view name, bool down) {
  std::lock_guard lock(mutex_);
  if (name == "shift") {
    state_.shift_down = down;
    return;
  }
  if (!down) return;
  std::string& field = state_.field;
  if (name == "capslock") {
    state_.caps_lock = !state_.caps_lock;
  } else if (name == "backspace") {
    if (!field.empty()) field.pop_back();
  } else if (name == "enter") {
    field.clear();
  } else if (name == "space") {
    Type(' ');
  } else if (name.size() == 1) {
    Type(Typed(name[0], state_.shift_down, state_.caps_lock));
  }
  Changed();
}

void SimScreen::Type(char key) {
  if (state_.field.size() < kSimTextFieldChars) state_.field.push_back(key);
}

void SimScreen::SetFieldText(std::string text) {
  std::lock_guard lock(mutex_);
  state_.field = std::move(text);
  Changed();
}

void SimScreen::Changed() { ++version_; }

std::shared_ptr<const std::vector<uint8_t>> SimScreen::Jpeg(int quality) {
  std::lock_guard lock(mutex_);
  if (jpeg_ && jpeg_version_ == version_ && jpeg_quality_ == quality) return jpeg_;
  canvas_ = background_;
  PaintSimState(canvas_, width_, height_, layout_, state_);
  auto jpeg = std::make_shared<std::vector<uint8_t>>();
  if (!encoder_.Encode(canvas_.data(), static_cast<uint32_t>(width_), static_cast<uint32_t>(height_), quality, *jpeg)) {
    return nullptr;
  }
  jpeg_ = std::move(jpeg);
  jpeg_version_ = version_;
  jpeg_quality_ = quality;
  return jpeg_;
}

void SimScreen::Render(std::vector<uint8_t>& bgra) {
  std::lock_guard lock(mutex_);
  bgra = background_;
  PaintSimState(bgra, width_, height_, layout_, state_);
}

int32_t SimScreen::OkClicks() const {
  std::lock_guard lock(mutex_);
  return state_.ok_clicks;
}

int32_t SimScreen::ToggleClicks() const {
  std::lock_guard lock(mutex_);
  return state_.toggle_clicks;
}

bool SimScreen::ToggledOn() const {
  std::lock_guard lock(mutex_);
  return state_.toggled_on;
}

std::string SimScreen::FieldText() const {
  std::lock_guard lock(mutex_);
  return state_.field;
}

}  // namespace zor
