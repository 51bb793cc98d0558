#pragma once
// The pane's thumbnail: the live remote screen letterboxed into 400 x 225, or a coloured panel
// with the connection state ("Offline", "Stop", "Error", "Connecting"), plus red overlay lines.
// SetFrame and ShowState may be called from any thread: they only store under the lock and ask
// the GUI thread for one repaint. Painting swaps the newest picture in, so a new frame costs
// one copy (on the caller's thread) and no allocation once the size is steady.
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "shell/ui/CStaticBox.h"

namespace zor {

// Values of the connection state the thumbnail shows (the client core's ClientState).
enum class ThumbState : int32_t { Offline = 0, Stop = 1, Streaming = 2, Error = 3, Connecting = 4 };

// Command the thumbnail's double click sends to its pane (it opens the full control window).
inline constexpr int kThumbDoubleClickCommand = 4000;

class ThumbWnd : public CStaticBox {
  Q_OBJECT
 public:
  // Placed at (0, 36) in `pane`, 400 x 225, control id 1; double clicks go to `pane_target`.
  ThumbWnd(QWidget* pane, ICommandTarget* pane_target);

  // Any thread: keeps a copy of the picture (B, G, R, A bytes, rows top to bottom, stride
  // width * 4) and schedules a repaint.
  void SetFrame(const uint8_t* pixels, uint32_t width, uint32_t height);
  // Any thread: the state to draw; values outside 0..4 draw as Connecting.
  void ShowState(int32_t state);
  int32_t ShownState() const { return state_.load(); }

  // GUI thread.
  void SetOverlayLines(const QStringList& lines);
  void SetFullControl(bool open);
  bool FullControl() const { return full_control_; }

 protected:
  void OnPaint(QPainter& painter) override;
  void OnLButtonDblClk(int x, int y) override;
  bool OnSetCursor() override;

 private:
  void ScheduleRepaint();
  void PaintPicture(QPainter& painter);
  void PaintStatePanel(QPainter& painter, int32_t state);
  void PaintOverlay(QPainter& painter);

  ICommandTarget* pane_target_ = nullptr;
  QStringList overlay_lines_;  // first line lowest
  bool full_control_ = false;
  std::atomic<int32_t> state_{static_cast<int32_t>(ThumbState::Offline)};
  std::atomic<bool> repaint_posted_{false};

  std::mutex lock_;  // guards the pending picture
  std::vector<uint8_t> pending_;
  uint32_t pending_width_ = 0;
  uint32_t pending_height_ = 0;
  bool has_pending_ = false;

  // The picture being shown; touched by painting only (GUI thread).
  std::vector<uint8_t> shown_;
  uint32_t shown_width_ = 0;
  uint32_t shown_height_ = 0;
};

}  // namespace zor
