#include "gui/pane/ThumbnailView.h"

#include <QImage>
#include <QPainter>

#include "model/AppConfig.h"
#include "gui/widgets/UiTheme.h"
#include "presentation/PaneCommand.h"
#include "presentation/PaneGeometry.h"

namespace zor {
namespace {

constexpr int kOverlayLineStep = 28;
constexpr int kOverlayLeft = 5;
constexpr int kOverlayTextPixels = 20;

struct StatePanel {
  QColor background;
  const char* text;
};

StatePanel PanelFor(ConnectionState state) {
  switch (state) {
    case ConnectionState::Offline: return {QColor::fromRgbF(0.2f, 0.2f, 0.2f), "Offline"};
    case ConnectionState::Stop: return {QColor::fromRgbF(0, 0, 0.8f), "Stop"};
    case ConnectionState::Error: return {QColor::fromRgbF(0.8f, 0, 0), "Error"};
    default: return {QColor::fromRgbF(0, 0.3f, 0), "Connecting"};
  }
}

}  // namespace

ThumbnailView::ThumbnailView(QWidget* pane, ICommandTarget* pane_target) : HandlerBox(pane, 1), pane_target_(pane_target) {
  const int32_t w = AppConfig::Instance().TileWidth;
  setGeometry(0, kTitleBarHeight, w, ThumbHeightFor(w));
  setAttribute(Qt::WA_OpaquePaintEvent);
  RefreshCursor();
}

void ThumbnailView::SetFrame(FramePtr frame) {
  if (!frame || frame->Empty()) return;
  {
    std::lock_guard lock(lock_);
    picture_ = std::move(frame);
  }
  repaint_.Post(this, [this] { update(); });
}

FramePtr ThumbnailView::Picture() const {
  std::lock_guard lock(lock_);
  return picture_;
}

void ThumbnailView::ShowState(ConnectionState state) {
  if (state_ == state) return;
  state_ = state;
  update();
  RefreshCursor();
}

void ThumbnailView::SetOverlayLines(const QStringList& lines) {
  overlay_lines_ = lines;
  update();
}

void ThumbnailView::SetFullControl(bool open) {
  full_control_ = open;
  RefreshCursor();
}

void ThumbnailView::OnPaint(QPainter& painter) {
  if (state_ == ConnectionState::Streaming) {
    PaintPicture(painter);
  } else {
    PaintStatePanel(painter);
  }
  PaintOverlay(painter);
}

void ThumbnailView::PaintPicture(QPainter& painter) {
  painter.fillRect(rect(), QColor::fromRgbF(0, 0.3f, 0.8f));
  const FramePtr frame = Picture();
  if (!frame || frame->Empty()) return;
  // A view over the frame's pixels (no copy); the alpha byte is ignored.
  const QImage picture(frame->pixels.data(), static_cast<int>(frame->width), static_cast<int>(frame->height),
                       static_cast<qsizetype>(frame->StrideBytes()), QImage::Format_RGB32);
  const PictureRect r = FitPicture(width(), height(), frame->width, frame->height);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(r.x, r.y, r.width, r.height), picture);
}

void ThumbnailView::PaintStatePanel(QPainter& painter) {
  const StatePanel panel = PanelFor(state_);
  painter.fillRect(rect(), panel.background);
  painter.setFont(StateTextFont());
  painter.setPen(Qt::white);
  painter.drawText(rect(), Qt::AlignCenter, panel.text);
}

void ThumbnailView::PaintOverlay(QPainter& painter) {
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

void ThumbnailView::OnLButtonDblClk(int, int) {
  if (pane_target_ != nullptr) pane_target_->OnCommand(kThumbnailCommand, kNotifyDoubleClick, 0);
}

bool ThumbnailView::OnSetCursor() {
  const bool arrow = !full_control_ && state_ == ConnectionState::Streaming;
  setCursor(arrow ? Qt::ArrowCursor : Qt::PointingHandCursor);
  return true;
}

}  // namespace zor
