#pragma once
// The behaviour ToolBarButton and StateIconButton share: a square glyph button that tracks hover, shows the
// hand cursor, and sends its command to a target on press (code 0) and double click (code 1).
// Its enabled flag is its own, not QWidget's: a disabled button still tracks hover (and keeps
// the arrow cursor) but draws the disabled look and sends nothing. GUI thread only.
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include "presentation/CommandTarget.h"
#include "presentation/PaneCommand.h"

namespace zor {

class IconButton : public QWidget {
  Q_OBJECT
 public:
  // The receiver of the commands; nullptr sends them to the parent widget when that is a
  // command target.
  void SetTarget(ICommandTarget* target) { target_ = target; }
  int CommandId() const { return command_id_; }

  bool IsButtonEnabled() const { return enabled_; }
  void SetButtonEnabled(bool enabled);
  bool IsHovering() const { return hover_; }

  // What a click does: with the button enabled, the command with `code` goes to the target and
  // the button is repainted (if it still exists: the command may delete it). Disabled: nothing.
  void Press(int code = kNotifyClick);

  // The glyph and text colour painted now, for tests and screenshots.
  virtual QString ShownText() const = 0;
  QColor ShownTextColor() const;
  QColor ShownBackground() const;

 protected:
  struct Look {
    QString text;
    QColor normal_text;
    QColor hover_text;
    QString tip;  // what a click on the button in this look does
  };
  IconButton(QWidget* parent, int command_id, int size);

  // The glyph and colours of the current state; an empty text draws nothing.
  virtual Look CurrentLook() const = 0;
  // Whether the hand cursor shows while hovering.
  virtual bool HandCursorWhenHovering() const = 0;

  QColor disabled_text_{100, 100, 100};
  QColor normal_background_{128, 128, 128};
  QColor hover_background_{80, 80, 80};
  QColor disabled_background_{128, 128, 128};

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void SetHover(bool hover);
  void UpdateCursor();
  ICommandTarget* Receiver() const;

  int command_id_ = 0;
  ICommandTarget* target_ = nullptr;
  bool enabled_ = true;
  bool hover_ = false;
};

}  // namespace zor
