#include "gui/widgets/IconButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "gui/widgets/UiTheme.h"

namespace zor {

IconButton::IconButton(QWidget* parent, int command_id, int size) : QWidget(parent), command_id_(command_id) {
  setFixedSize(size, size);
  setFont(IconFont());
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void IconButton::SetButtonEnabled(bool enabled) {
  enabled_ = enabled;
  UpdateCursor();
  update();
}

void IconButton::Press(int code) {
  if (!enabled_) return;
  ICommandTarget* receiver = Receiver();
  if (receiver == nullptr) return;
  QPointer<IconButton> self(this);
  receiver->OnCommand(command_id_, code, reinterpret_cast<intptr_t>(this));
  if (self) update();
}

ICommandTarget* IconButton::Receiver() const {
  return target_ != nullptr ? target_ : dynamic_cast<ICommandTarget*>(parentWidget());
}

QColor IconButton::ShownTextColor() const {
  if (!enabled_) return disabled_text_;
  const Look look = CurrentLook();
  return hover_ ? look.hover_text : look.normal_text;
}

QColor IconButton::ShownBackground() const {
  if (!enabled_) return disabled_background_;
  return hover_ ? hover_background_ : normal_background_;
}

void IconButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ShownBackground());
  const Look look = CurrentLook();
  if (look.text.isEmpty()) return;
  painter.setPen(ShownTextColor());
  painter.setFont(font());
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, look.text);
}

void IconButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Press(kNotifyClick);
}

void IconButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Press(kNotifyDoubleClick);
}

void IconButton::enterEvent(QEnterEvent*) { SetHover(true); }
void IconButton::leaveEvent(QEvent*) { SetHover(false); }

void IconButton::SetHover(bool hover) {
  if (hover_ == hover) return;
  hover_ = hover;
  UpdateCursor();
  update();
}

void IconButton::UpdateCursor() {
  if (hover_ && HandCursorWhenHovering()) {
    setCursor(Qt::PointingHandCursor);
  } else {
    setCursor(Qt::ArrowCursor);
  }
}

}  // namespace zor
