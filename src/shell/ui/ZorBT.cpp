#include "shell/ui/ZorBT.h"

#include <algorithm>

#include "app/ui/UiTheme.h"

namespace zor {
namespace {
constexpr int kSize = 32;
const QColor kAddedNormal(200, 0, 0);
const QColor kAddedHover(255, 0, 0);
}  // namespace

ZorBT::ZorBT(QWidget* parent, int x, int y, int command_id, char16_t glyph, const ZorBTColours& colours)
    : IconButton(parent, command_id, kSize) {
  normal_background_ = colours.normal_background;
  hover_background_ = colours.hover_background;
  disabled_background_ = colours.disabled_background;
  disabled_text_ = colours.disabled_text;
  states_.push_back({IconText(glyph), colours.normal_text, colours.hover_text});
  move(x, y);
}

void ZorBT::AddState(char16_t glyph) { states_.push_back({IconText(glyph), kAddedNormal, kAddedHover}); }

void ZorBT::SetState(int state) {
  state_ = state;
  update();
}

IconButton::Look ZorBT::CurrentLook() const {
  if (states_.empty()) return {};
  return states_[std::clamp(state_, 0, StateCount() - 1)];
}

void ZorBT::paintEvent(QPaintEvent* event) {
  // An out-of-range state is drawn as the nearest one and kept as that from now on.
  if (!states_.empty()) state_ = std::clamp(state_, 0, StateCount() - 1);
  IconButton::paintEvent(event);
}

}  // namespace zor
