#include "gui/pane/StatusStripPaint.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "gui/widgets/QtText.h"
#include "gui/widgets/UiTheme.h"

namespace zor {
namespace {

// Dark enough under white text on any picture, light enough that the picture shows through.
const QColor kBandColour(0, 0, 0, 170);
constexpr int kStateBlockWidth = 5;
constexpr int kTextGap = 6;  // between the block and the names, and the names and the figures
// When names and figures do not both fit, the figures take the room but leave the names this
// share of the line: the score and the action's age matter most, yet the operator must still
// tell which App and Item they belong to. Elision cuts the figures from the right, so the step
// rate goes first and the state and score last.
constexpr double kNamesMinShare = 0.35;

QColor StateColour(AppRunState state) {
  switch (state) {
    case AppRunState::kRunning: return {40, 170, 70};
    case AppRunState::kWaitingForMatch: return {60, 140, 220};
    case AppRunState::kPaused: return {235, 170, 0};
    case AppRunState::kStalled: return {230, 90, 20};
    case AppRunState::kError: return {220, 40, 40};
    case AppRunState::kIdle: return {130, 130, 130};
  }
  return {130, 130, 130};
}

void PaintLine(QPainter& painter, const QRect& band, const StripLine& line) {
  painter.fillRect(band, kBandColour);
  painter.fillRect(QRect(band.left(), band.top(), kStateBlockWidth, band.height()), StateColour(line.state));
  const QRect text = band.adjusted(kStateBlockWidth + kTextGap, 0, -kTextGap, 0);
  const QFontMetrics metrics = painter.fontMetrics();
  const QString names = ToQString(line.names);
  const QString details = ToQString(line.details);
  const int names_least = std::min(metrics.horizontalAdvance(names), static_cast<int>(text.width() * kNamesMinShare));
  const int figures_room = std::min(metrics.horizontalAdvance(details), text.width() - kTextGap - names_least);
  const QString figures = metrics.elidedText(details, Qt::ElideRight, figures_room);
  const int names_room = text.width() - kTextGap - metrics.horizontalAdvance(figures);
  painter.setPen(Qt::white);
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(names, Qt::ElideMiddle, names_room));
  painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, figures);
}

}  // namespace

QRect StatusStripRect(const QRect& view, size_t lines) {
  const int height = static_cast<int>(lines) * kStripLinePixels;
  return QRect(view.left(), view.bottom() + 1 - height, view.width(), height);
}

void PaintStatusStrip(QPainter& painter, const QRect& view, const std::vector<StripLine>& lines) {
  if (lines.empty()) return;
  QFont font(kTextFamily);
  font.setPixelSize(kStripTextPixels);
  painter.setFont(font);
  QRect band = StatusStripRect(view, lines.size());
  band.setHeight(kStripLinePixels);
  for (const StripLine& line : lines) {
    PaintLine(painter, band, line);
    band.translate(0, kStripLinePixels);
  }
}

StripTexts TranslatedStripTexts() {
  StripTexts texts;
  for (size_t i = 0; i < kStripTextCount; ++i) {
    const char* source = StripSourceText(static_cast<StripText>(i));
    texts[i] = FromQString(QCoreApplication::translate("StatusStrip", source));
  }
  return texts;
}

}  // namespace zor
