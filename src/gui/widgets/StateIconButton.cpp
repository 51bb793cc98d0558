#include "gui/widgets/StateIconButton.h"

#include <algorithm>

#include "gui/widgets/UiTheme.h"

namespace zor {
namespace {
constexpr int kSize = 32;
const QColor kAddedNormal(200, 0, 0);
const QColor kAddedHover(255, 0, 0);
}  // namespace

StateIconButton::StateIconButton(QWidget* parent, int x, int y, int command_id, char16_t glyph, const QString& tip,
                                 const StateButtonColours& colours)
    : IconButton(parent, command_id, kSize) {
  normal_background_ = colours.normal_background;
  hover_background_ = colours.hover_background;
  disabled_background_ = colours.disabled_background;
  disabled_text_ = colours.disabled_text;
  states_.push_back({IconText(glyph), colours.normal_text, colours.hover_text, tip});
  setToolTip(tip);
  move(x, y);
}

void StateIconButton::AddState(char16_t glyph, const QString& tip, AddedLook look) {
  if (look == AddedLook::Plain) {
    const Look& first = states_.front();
    states_.push_back({IconText(glyph), first.normal_text, first.hover_text, tip});
    return;
  }
  states_.push_back({IconText(glyph), kAddedNormal, kAddedHover, tip});
}

void StateIconButton::SetState(int state) {
  state_ = state;
  setToolTip(CurrentLook().tip);
  update();
}

IconButton::Look StateIconButton::CurrentLook() const {
  if (states_.empty()) return {};
  return states_[std::clamp(state_, 0, StateCount() - 1)];
}

void StateIconButton::paintEvent(QPaintEvent* event) {
  // An out-of-range state is drawn as the nearest one and kept as that from now on.
  if (!states_.empty()) state_ = std::clamp(state_, 0, StateCount() - 1);
  IconButton::paintEvent(event);
}

}  // namespace zor
