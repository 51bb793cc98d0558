#pragma once
// The pane's thumbnail: the live remote screen letterboxed into 400 x 225, or a coloured panel
// with the connection state ("Offline", "Stop", "Error", "Connecting"), plus red overlay lines.
// SetFrame (also reached as the client's frame consumer) may be called from any thread: the
// frame goes to the thumbnail's mailbox, which asks the GUI thread for one repaint. Frames are
// immutable and shared, so handing one over copies no pixels; painting draws straight from it.
#include <QStringList>
#include <QWidget>
#include <cstdint>

#include "gui/widgets/CoalescedPost.h"
#include "presentation/CommandTarget.h"
#include "session/ConnectionState.h"
#include "session/FrameMailbox.h"

namespace zor {

class ThumbnailView : public QWidget, public IFrameConsumer {
  Q_OBJECT
 public:
  // Placed at (0, 36) in `pane`, 400 x 225; double clicks go to `pane_target`.
  ThumbnailView(QWidget* pane, ICommandTarget* pane_target);

  // Any thread: keeps the frame as the newest picture and schedules a repaint.
  void SetFrame(FramePtr frame);
  void OnFrame(const FramePtr& frame) override { SetFrame(frame); }

  // GUI thread: the state to draw; values outside 0..4 draw as Connecting.
  void ShowState(ConnectionState state);
  ConnectionState ShownState() const { return state_; }
  // Smaller lines under the state's name on its panel (why Offline, when the next try comes);
  // empty for none. Not shown over the live picture.
  void SetStateDetail(const QString& detail);
  QString StateDetail() const { return state_detail_; }
  // The device's name at the top left, over the picture and the state panels alike.
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  void SetOverlayLines(const QStringList& lines);
  void SetFullControl(bool open);
  bool FullControl() const { return full_control_; }
  // The newest picture (null before the first); any thread.
  FramePtr Picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The arrow while the picture streams and full control is closed, the hand otherwise.
  void UpdateCursor();
  void PaintPicture(QPainter& painter);
  void PaintStatePanel(QPainter& painter);
  void PaintOverlay(QPainter& painter);
  void PaintShadowedText(QPainter& painter, QPoint at, const QString& text, const QColor& colour) const;

  ICommandTarget* pane_target_ = nullptr;
  QString caption_;
  QString state_detail_;
  QStringList overlay_lines_;  // first line lowest
  bool full_control_ = false;
  ConnectionState state_ = ConnectionState::Offline;
  CoalescedPost repaint_;  // frames that come faster than the GUI paints fold into one repaint
  FrameMailbox frames_{[this] { repaint_.Post(this, [this] { update(); }); }};
};

}  // namespace zor
