#include "gui/editor/EditorPainting.h"

#include <QImage>
#include <string>

#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"
#include "model/AppConfig.h"

namespace zor {
namespace {

constexpr int kOutlinePen = 2;
constexpr int kClickRadius = 6;
constexpr int kClickCross = 10;
constexpr int kActionRadius = 8;
constexpr int kActionCross = 8;
// The number badge: a disc above the marker's top-left corner.
constexpr int kBadgeLeft = -5;
constexpr int kBadgeTop = -30;
constexpr int kBadgeSize = 26;
const FontSpec kBadgeFont{u"Segoe UI", 16, 700};
// The near miss's score label.
const FontSpec kScoreFont{u"Segoe UI", 14, 700};
constexpr int kLabelPadding = 3;

QRect ToQRect(const EditRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

void DrawCircleCross(QPainter& painter, QPoint centre, int radius, int cross) {
  painter.drawEllipse(centre, radius, radius);
  painter.drawLine(centre.x() - cross, centre.y(), centre.x() + cross, centre.y());
  painter.drawLine(centre.x(), centre.y() - cross, centre.x(), centre.y() + cross);
}

void DrawBadge(QPainter& painter, const EditRect& marker_rect, int number) {
  const QRect disc(marker_rect.Left + kBadgeLeft, marker_rect.Top + kBadgeTop, kBadgeSize, kBadgeSize);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawEllipse(disc);
  painter.setFont(ToQFont(kBadgeFont));
  painter.setPen(kMarkerOutline);
  painter.drawText(disc, Qt::AlignCenter | Qt::TextSingleLine, QString::number(number));
}

void DrawMarker(QPainter& painter, const ItemMarker& marker, const QColor& fill, int number) {
  const EditRect rect = marker.Normalised();
  QColor translucent = fill;
  translucent.setAlpha(kMarkerFillAlpha);
  painter.fillRect(ToQRect(rect), translucent);
  painter.setPen(QPen(kMarkerOutline, kOutlinePen));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(ToQRect(rect));
  DrawBadge(painter, rect, number);
  painter.setPen(QPen(fill, 1));
  painter.setBrush(Qt::NoBrush);
  for (const EditRect& handle : HandleRects(marker)) painter.drawRect(ToQRect(handle));
}

void DrawClickAndWorkArea(QPainter& painter, const Item& item) {
  painter.setBrush(Qt::NoBrush);
  if (item.ClickOffsetX != 0 || item.ClickOffsetY != 0) {
    painter.setPen(QPen(kClickMark, kOutlinePen));
    const QPoint point(item.CaptureLeft + item.ClickOffsetX, item.CaptureTop + item.ClickOffsetY);
    DrawCircleCross(painter, point, kClickRadius, kClickCross);
  }
  if (item.WorkWidth != 0 && item.WorkHeight != 0) {
    painter.setPen(QPen(kClickMark, 1, Qt::DotLine));
    painter.drawRect(item.CaptureLeft + item.WorkOffsetX, item.CaptureTop + item.WorkOffsetY, item.WorkWidth,
                     item.WorkHeight);
  }
}

// The rectangle of the best position, and its score on a black label above it (below it when
// the rectangle touches the top of the screen).
void DrawNearMiss(QPainter& painter, const ScoredPosition& seen) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kNearMissMark, kOutlinePen));
  painter.drawRect(seen.Left, seen.Top, seen.Width, seen.Height);
  painter.setFont(ToQFont(kScoreFont));
  // Three decimals, so that 0.947 under a threshold of 0.95 does not read as 0.95.
  const QString text = QString::number(double(seen.Score), 'f', 3);
  const QSize size = painter.fontMetrics().size(Qt::TextSingleLine, text) + QSize(2 * kLabelPadding, 0);
  const int above = seen.Top - kOutlinePen - size.height();
  const int top = above >= 0 ? above : seen.Top + seen.Height + kOutlinePen;
  const QRect label(QPoint(seen.Left, top), size);
  painter.fillRect(label, Qt::black);
  painter.drawText(label, Qt::AlignCenter | Qt::TextSingleLine, text);
}

}  // namespace

QColor EngineFillColour(int32_t engine_type) {
  const auto& modes = AppConfig::Instance().AnalysisModes;
  if (engine_type < 0 || static_cast<size_t>(engine_type) >= modes.size()) return kUnknownEngineFill;
  return ToQColor(modes[static_cast<size_t>(engine_type)].colour);
}

void DrawFrame(QPainter& painter, const ScreenImage& frame, const QRect& target) {
  if (frame.Empty() || frame.pixels.size() < frame.StrideBytes() * frame.height) return;
  // The frame's bytes are B, G, R, A: Qt's RGB32 on little-endian machines, alpha ignored.
  const QImage image(frame.pixels.data(), static_cast<int>(frame.width), static_cast<int>(frame.height),
                     static_cast<qsizetype>(frame.StrideBytes()), QImage::Format_RGB32);
  painter.drawImage(target, image);
}

void PaintEditMarks(QPainter& painter, const SceneEditModel& model) {
  const auto& items = model.Scene().Items;
  const auto& markers = model.Markers();
  for (size_t place = 0; place < markers.size(); ++place) {
    const ItemMarker& marker = markers[place];
    const EditRect rect = marker.Normalised();
    if (!marker.Selected || rect.Width() <= 1 || rect.Height() <= 1) continue;
    const bool paired = marker.ItemIndex >= 0 && static_cast<size_t>(marker.ItemIndex) < items.size();
    const int32_t engine = paired ? items[static_cast<size_t>(marker.ItemIndex)]->AnalysisType : -1;
    DrawMarker(painter, marker, EngineFillColour(engine), static_cast<int>(place) + 1);
  }
  if (const std::shared_ptr<Item> item = model.CurrentItem()) DrawClickAndWorkArea(painter, *item);
  if (model.AreaDragging() && !model.AddMode()) {
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(model.AreaRect()));
  }
}

void PaintTestMarks(QPainter& painter, const std::optional<MatchRecord>& best,
                    const std::optional<ScoredPosition>& best_seen, const ActionMark& last) {
  // A record without a match has no place to show; the near miss has one, and its score.
  if (!best || best->Valid == 0) {
    if (best_seen) DrawNearMiss(painter, *best_seen);
    return;
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kBestMatchMark, kOutlinePen));
  painter.drawRect(best->Left, best->Top, best->Width, best->Height);
  painter.setPen(QPen(kLastActionMark, kOutlinePen));
  if (last.Left > 0) painter.drawRect(ToQRect({last.Left, last.Top, last.Right, last.Bottom}));
  if (last.X > 0) DrawCircleCross(painter, QPoint(last.X, last.Y), kActionRadius, kActionCross);
}

}  // namespace zor
