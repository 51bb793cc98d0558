#pragma once
// The top frame: the 40-pixel grey bar across the main window with the product logo at its left
// and the four tool buttons at its right, which send their commands to the main window.
#include <QImage>
#include <QWidget>
#include <array>

#include "gui/widgets/ToolBarButton.h"

namespace zor {

class TopBar : public QWidget {
  Q_OBJECT
 public:
  // Buttons go to `command_target` (the main window).
  TopBar(QWidget* parent, ICommandTarget* command_target);

  // Moves the buttons to their places for a frame `frame_width` wide.
  void PlaceButtons(int frame_width);

  // Button of a tool bar command (1100..1103), or nullptr.
  ToolBarButton* Button(int command_id) const;
  bool HasLogo() const { return !logo_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage logo_;  // 127 x 30; null when the resource is missing (the frame is drawn without it)
  std::array<ToolBarButton*, 4> buttons_{};  // children, in the order of kToolBarCommands
};

}  // namespace zor
