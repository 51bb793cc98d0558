#include "shell/ui/ThumbWnd.h"

#include <QImage>
#include <QPainter>
#include <cstring>

#include "app/AppConfig.h"
#include "app/ui/UiTheme.h"
#include "shell/PaneGeometry.h"

namespace zor {
namespace {

// Largest picture kept: an 8K screen. A larger one is not a real device's and is dropped
// rather than allocated.
constexpr uint64_t kMaxPicturePixels = 7680ull * 4320ull;

constexpr int kOverlayLineStep = 28;
constexpr int kOverlayLeft = 5;
constexpr int kOverlayTextPixels = 20;

struct StatePanel {
  QColor background;
  const char* text;
};

StatePanel PanelFor(int32_t state) {
  switch (static_cast<ThumbState>(state)) {
    case ThumbState::Offline: return {QColor::fromRgbF(0.2f, 0.2f, 0.2f), "Offline"};
    case ThumbState::Stop: return {QColor::fromRgbF(0, 0, 0.8f), "Stop"};
    case ThumbState::Error: return {QColor::fromRgbF(0.8f, 0, 0), "Error"};
    default: return {QColor::fromRgbF(0, 0.3f, 0), "Connecting"};
  }
}

}  // namespace

ThumbWnd::ThumbWnd(QWidget* pane, ICommandTarget* pane_target) : CStaticBox(pane, 1), pane_target_(pane_target) {
  const int32_t w = AppConfig::Instance().TileWidth;
  setGeometry(0, kTitleBarHeight, w, ThumbHeightFor(w));
  setAttribute(Qt::WA_OpaquePaintEvent);
  RefreshCursor();
}

void ThumbWnd::SetFrame(const uint8_t* pixels, uint32_t width, uint32_t height) {
  const uint64_t count = static_cast<uint64_t>(width) * height;
  if (pixels == nullptr || count == 0 || count > kMaxPicturePixels) return;
  {
    std::lock_guard lock(lock_);
    pending_.resize(count * 4);
    std::memcpy(pending_.data(), pixels, pending_.size());
    pending_width_ = width;
    pending_height_ = height;
    has_pending_ = true;
  }
  ScheduleRepaint();
}

void ThumbWnd::ShowState(int32_t state) {
  if (state_.exchange(state) == state) return;
  ScheduleRepaint();
}

void ThumbWnd::ScheduleRepaint() {
  // One queued request at a time: frames that arrive faster than the GUI paints coalesce.
  if (repaint_posted_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        repaint_posted_ = false;
        update();
        RefreshCursor();
      },
      Qt::QueuedConnection);
}

void ThumbWnd::SetOverlayLines(const QStringList& lines) {
  overlay_lines_ = lines;
  update();
}

void ThumbWnd::SetFullControl(bool open) {
  full_control_ = open;
  RefreshCursor();
}

void ThumbWnd::OnPaint(QPainter& painter) {
  const int32_t state = state_.load();
  if (state == static_cast<int32_t>(ThumbState::Streaming)) {
    PaintPicture(painter);
  } else {
    PaintStatePanel(painter, state);
  }
  PaintOverlay(painter);
}

void ThumbWnd::PaintPicture(QPainter& painter) {
  painter.fillRect(rect(), QColor::fromRgbF(0, 0.3f, 0.8f));
  {
    std::lock_guard lock(lock_);
    if (has_pending_) {
      shown_.swap(pending_);
      shown_width_ = pending_width_;
      shown_height_ = pending_height_;
      has_pending_ = false;
    }
  }
  if (shown_.empty() || shown_width_ == 0 || shown_height_ == 0) return;
  // A view over the pixels; the alpha byte is ignored.
  const QImage picture(shown_.data(), static_cast<int>(shown_width_), static_cast<int>(shown_height_),
                       static_cast<qsizetype>(shown_width_) * 4, QImage::Format_RGB32);
  const PictureRect r = FitPicture(width(), height(), shown_width_, shown_height_);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(r.x, r.y, r.width, r.height), picture);
}

void ThumbWnd::PaintStatePanel(QPainter& painter, int32_t state) {
  const StatePanel panel = PanelFor(state);
  painter.fillRect(rect(), panel.background);
  painter.setFont(StateTextFont());
  painter.setPen(Qt::white);
  painter.drawText(rect(), Qt::AlignCenter, panel.text);
}

void ThumbWnd::PaintOverlay(QPainter& painter) {
  if (overlay_lines_.isEmpty()) return;
  QFont font(kTextFamily);
  font.setPixelSize(kOverlayTextPixels);
  painter.setFont(font);
  const int x = kOverlayLeft;
  int y = height() - kOverlayLineStep;
  for (const QString& line : overlay_lines_) {
    painter.setPen(Qt::black);
    painter.drawText(QRect(x + 1, y + 1, width() - x - 1, height() - y - 1), Qt::AlignLeft | Qt::AlignTop, line);
    painter.setPen(Qt::red);
    painter.drawText(QRect(x, y, width() - x, height() - y), Qt::AlignLeft | Qt::AlignTop, line);
    y -= kOverlayLineStep;
  }
}

void ThumbWnd::OnLButtonDblClk(int, int) {
  if (pane_target_ != nullptr) pane_target_->OnCommand(kThumbDoubleClickCommand, 1, 0);
}

bool ThumbWnd::OnSetCursor() {
  const bool arrow = !full_control_ && state_.load() == static_cast<int32_t>(ThumbState::Streaming);
  setCursor(arrow ? Qt::ArrowCursor : Qt::PointingHandCursor);
  return true;
}

}  // namespace zor
