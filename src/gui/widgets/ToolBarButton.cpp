#include "gui/widgets/ToolBarButton.h"

#include "gui/widgets/UiTheme.h"
#include "presentation/ToolBarLayout.h"

namespace zor {

ToolBarButton::ToolBarButton(QWidget* parent, int x, int command_id, char16_t glyph, const QString& tip)
    : IconButton(parent, command_id, kToolButtonSize), text_(IconText(glyph)) {
  hover_background_ = ToQColor(kHoverColor);
  setToolTip(tip);
  move(x, kToolButtonY);
}

}  // namespace zor
