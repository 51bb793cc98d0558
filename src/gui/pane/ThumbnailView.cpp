#include "gui/pane/ThumbnailView.h"

#include <QImage>
#include <QMouseEvent>
#include <QResizeEvent>
#include <algorithm>
#include <QPainter>

#include "gui/pane/StatusStripPaint.h"
#include "gui/widgets/UiTheme.h"
#include "platform/StageProbe.h"
#include "presentation/PaneCommand.h"
#include "presentation/PaneGeometry.h"
#include "presentation/TileLayout.h"

namespace zor {
namespace {

// Around a letterboxed picture, and in place of the picture before the first frame.
const QColor kPictureBackground = QColor::fromRgbF(0, 0.3f, 0.8f);
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
  // A hidden widget gets its resize event only when shown; frames may come before that.
  RememberNeed(size());
}

PictureNeed ThumbnailView::Need() const {
  if (!in_sight_.load()) return PictureNeed::Unseen();
  return PictureNeed::FitInto(need_width_.load(), need_height_.load());
}

void ThumbnailView::resizeEvent(QResizeEvent* event) {
  RememberNeed(event->size());
  QWidget::resizeEvent(event);
}

void ThumbnailView::RememberNeed(QSize view_size) {
  const QSize pixels = view_size * devicePixelRatioF();
  // A view of no size still wants a small picture rather than the full one.
  need_width_.store(static_cast<uint32_t>(std::max(pixels.width(), 1)));
  need_height_.store(static_cast<uint32_t>(std::max(pixels.height(), 1)));
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

void ThumbnailView::SetStatusStrip(std::vector<StripLine> lines) {
  if (lines == strip_lines_) return;
  const QRect before = StatusStripRect();
  strip_lines_ = std::move(lines);
  update(before.united(StatusStripRect()));
}

QRect ThumbnailView::StatusStripRect() const { return zor::StatusStripRect(rect(), strip_lines_.size()); }

void ThumbnailView::SetFullControl(bool open) {
  full_control_ = open;
  UpdateCursor();
}

void ThumbnailView::paintEvent(QPaintEvent*) {
  const probe::StageTimer timer(probe::Stage::Paint);
  QPainter painter(this);
  if (state_ == ConnectionState::Streaming) {
    PaintPicture(painter);
  } else {
    PaintStatePanel(painter);
  }
  PaintOverlay(painter);
  PaintStatusStrip(painter, rect(), strip_lines_);
}

void ThumbnailView::PaintPicture(QPainter& painter) {
  const FramePtr frame = Picture();
  if (!frame || frame->Empty()) {
    painter.fillRect(rect(), kPictureBackground);
    return;
  }
  painter.drawImage(QPoint(0, 0), ScaledPicture(frame));
}

const QImage& ThumbnailView::ScaledPicture(const FramePtr& frame) {
  const QSize pixels = size() * devicePixelRatioF();
  const bool same_frame = !scaled_frame_.owner_before(frame) && !frame.owner_before(scaled_frame_);
  if (same_frame && scaled_.size() == pixels) return scaled_;
  // Drawn over in place while the size stays: no new image per picture.
  if (scaled_.size() != pixels) scaled_ = QImage(pixels, QImage::Format_RGB32);
  scaled_.setDevicePixelRatio(devicePixelRatioF());
  QPainter painter(&scaled_);
  painter.fillRect(rect(), kPictureBackground);
  // A view over the frame's pixels (no copy); the alpha byte is ignored. The place comes from
  // the screen's size, so a picture decoded small keeps the screen's exact aspect.
  const QImage picture(frame->pixels.data(), static_cast<int>(frame->width), static_cast<int>(frame->height),
                       static_cast<qsizetype>(frame->StrideBytes()), QImage::Format_RGB32);
  const PictureRect r = FitPicture(width(), height(), frame->ScreenWidth(), frame->ScreenHeight());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(r.x, r.y, r.width, r.height), picture);
  scaled_frame_ = frame;
  ++scaled_count_;
  probe::AddLatency(probe::Track::Thumbnail, frame->complete_ns);  // the first paint of this frame
  return scaled_;
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
  int y = height() - StatusStripRect().height() - kOverlayLineStep;
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
