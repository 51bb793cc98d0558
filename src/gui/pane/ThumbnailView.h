#pragma once
// The pane's thumbnail: the live remote screen letterboxed into 400 x 225, or a coloured panel
// with the connection state ("Offline", "Stop", "Error", "Connecting"), plus red overlay lines.
// SetFrame (also reached as the client's frame consumer) may be called from any thread: the
// frame goes to the thumbnail's mailbox, which asks the GUI thread for one repaint. Frames are
// immutable and shared, so handing one over copies no pixels. The picture is scaled to the view
// once per new frame (or size) and kept; a paint for any other reason draws the kept one. The
// view needs no more than its own size, so a device that only it watches is decoded small.
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/widgets/CoalescedPost.h"
#include "presentation/CommandTarget.h"
#include "presentation/StatusStripText.h"
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
  // Any thread: a picture that covers the view's pixels, or none while out of sight.
  PictureNeed Need() const override;
  // GUI thread: whether any of the view lies inside the window's pane area. A view out of sight
  // asks for no picture, so a device that only it watches is not decoded at all; it shows the
  // device's next picture once back in sight.
  void SetInSight(bool in_sight) { in_sight_.store(in_sight); }
  bool InSight() const { return in_sight_.load(); }

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
  // GUI thread: the status strip's lines over the bottom of the view (none: no strip). Only the
  // strip's band is repainted, and only when the lines changed.
  void SetStatusStrip(std::vector<StripLine> lines);
  const std::vector<StripLine>& StatusStrip() const { return strip_lines_; }
  // The strip's band in the view; empty without lines.
  QRect StatusStripRect() const;
  void SetFullControl(bool open);
  bool FullControl() const { return full_control_; }
  // The newest picture (null before the first); any thread.
  FramePtr Picture() const;
  // How many times a picture was scaled to the view (for tests and diagnostics). GUI thread.
  uint64_t ScaledPictureCount() const { return scaled_count_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The arrow while the picture streams and full control is closed, the hand otherwise.
  void UpdateCursor();
  // Keeps the view's size in device pixels for Need(); GUI thread.
  void RememberNeed(QSize view_size);
  void PaintPicture(QPainter& painter);
  // The view's picture area with `frame` letterboxed into it, scaled anew only when the frame or
  // the view's size changed since the last time.
  const QImage& ScaledPicture(const FramePtr& frame);
  void PaintStatePanel(QPainter& painter);
  void PaintOverlay(QPainter& painter);
  void PaintShadowedText(QPainter& painter, QPoint at, const QString& text, const QColor& colour) const;

  ICommandTarget* pane_target_ = nullptr;
  QString caption_;
  QString state_detail_;
  QStringList overlay_lines_;  // first line lowest, above the status strip
  std::vector<StripLine> strip_lines_;
  bool full_control_ = false;
  ConnectionState state_ = ConnectionState::Offline;
  CoalescedPost repaint_;  // frames that come faster than the GUI paints fold into one repaint
  FrameMailbox frames_{[this] { repaint_.Post(this, [this] { update(); }); }};
  // The view's size in device pixels, read by the driver's thread through Need().
  std::atomic<uint32_t> need_width_{0};
  std::atomic<uint32_t> need_height_{0};
  std::atomic<bool> in_sight_{true};
  // GUI thread: the last scaled picture and the frame it shows (weak: the kept picture must not
  // keep the frame's buffer from its pool).
  QImage scaled_;
  std::weak_ptr<const ScreenImage> scaled_frame_;
  uint64_t scaled_count_ = 0;
};

}  // namespace zor
