#include "shell/ui/ZorButton01.h"

#include "app/AppConfig.h"
#include "app/ToolBarLayout.h"
#include "app/ui/UiTheme.h"

namespace zor {

ZorButton01::ZorButton01(QWidget* parent, int x, int command_id, char16_t glyph)
    : IconButton(parent, command_id, kToolButtonSize), text_(IconText(glyph)) {
  hover_background_ = ToQColor(AppConfig::Instance().HoverColor);
  move(x, kToolButtonY);
}

}  // namespace zor
