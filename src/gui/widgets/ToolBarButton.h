#pragma once
// The tool bar's icon button: one glyph, 36 x 36 at y 2, light grey glyph on the grey frame,
// white on the hover colour.
#include "gui/widgets/IconButton.h"

namespace zor {

class ToolBarButton : public IconButton {
  Q_OBJECT
 public:
  // `glyph` is a code point of kIconFontRequest; the button sits at (x, 2) and says `tip` when
  // hovered.
  ToolBarButton(QWidget* parent, int x, int command_id, char16_t glyph, const QString& tip);

  QString ShownText() const override { return text_; }

 protected:
  Look CurrentLook() const override { return {text_, normal_text_, hover_text_, toolTip()}; }
  // The tool bar shows the hand over its buttons whether or not they are enabled.
  bool HandCursorWhenHovering() const override { return true; }

 private:
  QString text_;
  QColor normal_text_{200, 200, 200};
  QColor hover_text_{255, 255, 255};
};

}  // namespace zor
