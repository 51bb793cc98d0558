#pragma once
// The pane's thumbnail: the live remote screen letterboxed into 400 x 225, or a coloured panel
// with the connection state ("Offline", "Stop", "Error", "Connecting"), plus red overlay lines.
// SetFrame (also reached as the client's frame consumer) may be called from any thread: it only
// keeps the newest frame under the lock and asks the GUI thread for one repaint. Frames are
// immutable and shared, so handing one over copies no pixels; painting draws straight from it.
#include <QStringList>
#include <cstdint>
#include <mutex>

#include "gui/widgets/CoalescedPost.h"
#include "session/ConnectionState.h"
#include "session/FrameConsumer.h"
#include "gui/widgets/HandlerBox.h"

namespace zor {

class ThumbnailView : public HandlerBox, public IFrameConsumer {
  Q_OBJECT
 public:
  // Placed at (0, 36) in `pane`, 400 x 225, control id 1; double clicks go to `pane_target`.
  ThumbnailView(QWidget* pane, ICommandTarget* pane_target);

  // Any thread: keeps the frame as the newest picture and schedules a repaint.
  void SetFrame(FramePtr frame);
  void OnFrame(const FramePtr& frame) override { SetFrame(frame); }

  // GUI thread: the state to draw; values outside 0..4 draw as Connecting.
  void ShowState(ConnectionState state);
  ConnectionState ShownState() const { return state_; }
  void SetOverlayLines(const QStringList& lines);
  void SetFullControl(bool open);
  bool FullControl() const { return full_control_; }
  // The newest picture (null before the first); any thread.
  FramePtr Picture() const;

 protected:
  void OnPaint(QPainter& painter) override;
  void OnLButtonDblClk(int x, int y) override;
  bool OnSetCursor() override;

 private:
  void PaintPicture(QPainter& painter);
  void PaintStatePanel(QPainter& painter);
  void PaintOverlay(QPainter& painter);

  ICommandTarget* pane_target_ = nullptr;
  QStringList overlay_lines_;  // first line lowest
  bool full_control_ = false;
  ConnectionState state_ = ConnectionState::Offline;
  CoalescedPost repaint_;  // frames that come faster than the GUI paints fold into one repaint

  mutable std::mutex lock_;  // guards picture_
  FramePtr picture_;
};

}  // namespace zor
