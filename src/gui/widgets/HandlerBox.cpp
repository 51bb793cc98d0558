#include "gui/widgets/HandlerBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace zor {

HandlerBox::HandlerBox(QWidget* parent, int control_id) : QWidget(parent), control_id_(control_id) {
  // Mouse moves arrive without a pressed button too, as they do for the boxes' handlers.
  setMouseTracking(true);
}

void HandlerBox::RefreshCursor() {
  if (!OnSetCursor()) setCursor(Qt::ArrowCursor);
}

void HandlerBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  OnPaint(painter);
}

void HandlerBox::resizeEvent(QResizeEvent*) { OnSize(); }

void HandlerBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().x(), event->position().y());
}

void HandlerBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonUp(event->position().x(), event->position().y());
}

void HandlerBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->position().x(), event->position().y());
}

void HandlerBox::mouseMoveEvent(QMouseEvent* event) {
  OnMouseMove(event->position().x(), event->position().y());
  RefreshCursor();
}

void HandlerBox::enterEvent(QEnterEvent*) { RefreshCursor(); }

void HandlerBox::leaveEvent(QEvent*) { OnMouseLeave(); }

}  // namespace zor
