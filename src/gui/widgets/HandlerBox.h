#pragma once
// The base of the shell's custom boxes (the thumbnail): a plain widget that turns Qt's events
// into overridable handlers with empty defaults. Coordinates are the widget's own pixels.
// GUI thread only.
#include <QWidget>

#include "presentation/CommandTarget.h"

class QPainter;

namespace zor {

class HandlerBox : public QWidget, public ICommandTarget {
  Q_OBJECT
 public:
  HandlerBox(QWidget* parent, int control_id);

  int ControlId() const { return control_id_; }

  // Asks the box for its cursor again (after a change of the state that decides it).
  void RefreshCursor();

  void OnCommand(int, int, intptr_t) override {}

 protected:
  virtual void OnPaint(QPainter&) {}
  virtual void OnSize() {}
  virtual void OnLButtonDblClk(int /*x*/, int /*y*/) {}
  virtual void OnLButtonDown(int /*x*/, int /*y*/) {}
  virtual void OnLButtonUp(int /*x*/, int /*y*/) {}
  virtual void OnMouseMove(int /*x*/, int /*y*/) {}
  virtual void OnMouseLeave() {}
  // Sets the cursor and answers true, or answers false to keep the arrow.
  virtual bool OnSetCursor() { return false; }

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int control_id_ = 0;
};

}  // namespace zor
