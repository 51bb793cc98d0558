#include "shell/ui/CStaticBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace zor {

CStaticBox::CStaticBox(QWidget* parent, int control_id) : QWidget(parent), control_id_(control_id) {
  // Mouse moves arrive without a pressed button too, as they do for the boxes' handlers.
  setMouseTracking(true);
}

void CStaticBox::RefreshCursor() {
  if (!OnSetCursor()) setCursor(Qt::ArrowCursor);
}

void CStaticBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  OnPaint(painter);
}

void CStaticBox::resizeEvent(QResizeEvent*) { OnSize(); }

void CStaticBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDown(event->position().x(), event->position().y());
}

void CStaticBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonUp(event->position().x(), event->position().y());
}

void CStaticBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->position().x(), event->position().y());
}

void CStaticBox::mouseMoveEvent(QMouseEvent* event) {
  OnMouseMove(event->position().x(), event->position().y());
  RefreshCursor();
}

void CStaticBox::enterEvent(QEnterEvent*) { RefreshCursor(); }

void CStaticBox::leaveEvent(QEvent*) { OnMouseLeave(); }

}  // namespace zor
