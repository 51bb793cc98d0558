#pragma once
// The multi-state icon button of the client panes and the scene editor: 32 x 32, one look per
// state (glyph, normal and hover colour); the owner switches states and enables it.
#include <vector>

#include "gui/widgets/IconButton.h"

namespace zor {

struct StateButtonColours {
  QColor normal_background{60, 60, 60};   // kPanelColor
  QColor hover_background{80, 80, 80};    // kHoverColor
  QColor disabled_background{60, 60, 60};
  QColor normal_text{200, 200, 200};
  QColor hover_text{255, 255, 255};
  QColor disabled_text{100, 100, 100};
};

class StateIconButton : public IconButton {
  Q_OBJECT
 public:
  // The first state shows `glyph` (a code point of kIconFontRequest) in the default colours, with
  // `tip` as its tooltip.
  StateIconButton(QWidget* parent, int x, int y, int command_id, char16_t glyph, const QString& tip,
                  const StateButtonColours& colours = {});

  // How an added state looks: in red, brighter when hovered (a state that warns, like a
  // running test), or in the first state's colours (an ordinary action, like "disconnect").
  enum class AddedLook { Alert, Plain };
  // Appends a state that shows `glyph` in the colours `look` names, with its own tooltip.
  void AddState(char16_t glyph, const QString& tip, AddedLook look = AddedLook::Alert);
  // Shows state `state` (kept as given; painting clamps it to the states there are) and its
  // tooltip.
  void SetState(int state);
  int State() const { return state_; }
  int StateCount() const { return static_cast<int>(states_.size()); }

  QString ShownText() const override { return CurrentLook().text; }

 protected:
  Look CurrentLook() const override;
  // A disabled pane button keeps the arrow cursor.
  bool HandCursorWhenHovering() const override { return IsButtonEnabled(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<Look> states_;
  int state_ = 0;
};

}  // namespace zor
