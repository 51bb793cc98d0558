#include "gui/pane/ThumbnailView.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "gui/widgets/UiTheme.h"
#include "presentation/PaneCommand.h"
#include "presentation/PaneGeometry.h"
#include "presentation/TileLayout.h"

namespace zor {
namespace {

constexpr int kOverlayLineStep = 28;
constexpr int kOverlayLeft = 5;
constexpr int kOverlayTextPixels = 20;
constexpr int kCaptionTop = 4;
// The detail lines start this far below the panel's centre, where the state's name ends.
constexpr int kDetailBelowCentre = 24;
constexpr int kDetailTextPixels = 16;
constexpr int kDetailSideMargin = 10;

struct StatePanel {
  QColor background;
  const char* text;  // source text of the "zor::ThumbnailView" context (its tr())
};

StatePanel PanelFor(ConnectionState state) {
  switch (state) {
    case ConnectionState::Offline:
      return {QColor::fromRgbF(0.2f, 0.2f, 0.2f),
              QT_TRANSLATE_NOOP("zor::ThumbnailView", "Offline")};
    case ConnectionState::Stop:
      return {QColor::fromRgbF(0, 0, 0.8f),
              QT_TRANSLATE_NOOP("zor::ThumbnailView", "Stop")};
    case ConnectionState::Error:
      return {QColor::fromRgbF(0.8f, 0, 0),
              QT_TRANSLATE_NOOP("zor::ThumbnailView", "Error")};
    default:
      return {QColor::fromRgbF(0, 0.3f, 0),
              QT_TRANSLATE_NOOP("zor::ThumbnailView", "Connecting")};
  }
}

}  // namespace

ThumbnailView::ThumbnailView(QWidget* pane, ICommandTarget* pane_target) : QWidget(pane), pane_target_(pane_target) {
  const int32_t w = kPaneTiles.tile_width;
  setGeometry(0, kTitleBarHeight, w, ThumbHeightFor(w));
  setAttribute(Qt::WA_OpaquePaintEvent);
  UpdateCursor();
}

void ThumbnailView::SetFrame(FramePtr frame) {
  if (frame && !frame->Empty()) frames_.OnFrame(frame);
}

FramePtr ThumbnailView::Picture() const { return frames_.Latest(); }

void ThumbnailView::ShowState(ConnectionState state) {
  if (state_ == state) return;
  state_ = state;
  update();
  UpdateCursor();
}

void ThumbnailView::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void ThumbnailView::SetStateDetail(const QString& detail) {
  if (state_detail_ == detail) return;
  state_detail_ = detail;
  update();
}

void ThumbnailView::SetOverlayLines(const QStringList& lines) {
  overlay_lines_ = lines;
  update();
}

void ThumbnailView::SetFullControl(bool open) {
  full_control_ = open;
  UpdateCursor();
}

void ThumbnailView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
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
  painter.drawText(rect(), Qt::AlignCenter, tr(panel.text));
  if (state_detail_.isEmpty()) return;
  QFont font(kTextFamily);
  font.setPixelSize(kDetailTextPixels);
  painter.setFont(font);
  const QRect below(kDetailSideMargin, height() / 2 + kDetailBelowCentre, width() - 2 * kDetailSideMargin,
                    height() / 2 - kDetailBelowCentre);
  painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, state_detail_);
}

void ThumbnailView::PaintOverlay(QPainter& painter) {
  QFont font(kTextFamily);
  font.setPixelSize(kOverlayTextPixels);
  painter.setFont(font);
  const int x = kOverlayLeft;
  if (!caption_.isEmpty()) {
    const QString shown = painter.fontMetrics().elidedText(caption_, Qt::ElideRight, width() - 2 * x);
    PaintShadowedText(painter, QPoint(x, kCaptionTop), shown, Qt::white);
  }
  int y = height() - kOverlayLineStep;
  for (const QString& line : overlay_lines_) {
    PaintShadowedText(painter, QPoint(x, y), line, Qt::red);
    y -= kOverlayLineStep;
  }
}

// A black shadow one pixel down and right keeps the text readable on any picture.
void ThumbnailView::PaintShadowedText(QPainter& painter, QPoint at, const QString& text, const QColor& colour) const {
  painter.setPen(Qt::black);
  painter.drawText(QRect(at + QPoint(1, 1), rect().bottomRight()), Qt::AlignLeft | Qt::AlignTop, text);
  painter.setPen(colour);
  painter.drawText(QRect(at, rect().bottomRight()), Qt::AlignLeft | Qt::AlignTop, text);
}

void ThumbnailView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (pane_target_ != nullptr) pane_target_->OnCommand(kThumbnailCommand, kNotifyDoubleClick, 0);
}

void ThumbnailView::UpdateCursor() {
  const bool arrow = !full_control_ && state_ == ConnectionState::Streaming;
  setCursor(arrow ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

}  // namespace zor
