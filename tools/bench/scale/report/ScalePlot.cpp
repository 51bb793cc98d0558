#include "scale/report/ScalePlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace zor::bench {
namespace {

constexpr int kMarginPx = 70;
constexpr int kLegendHeightPx = 60;
constexpr int kTicks = 5;

using Value = std::function<double(const ScaleRow&)>;
// One line: the rows of one type and series, ordered by device count.
using Lines = std::map<std::pair<std::string, std::string>, std::vector<const ScaleRow*>>;

Lines GroupLines(const std::vector<ScaleRow>& rows) {
  Lines lines;
  for (const ScaleRow& r : rows) lines[{r.type, r.series}].push_back(&r);
  for (auto& [key, points] : lines) {
    std::sort(points.begin(), points.end(), [](const ScaleRow* a, const ScaleRow* b) { return a->devices < b->devices; });
  }
  return lines;
}

// A round upper end for an axis: 1, 2 or 5 times a power of ten, at least `max`.
double RoundUp(double max) {
  if (!(max > 0)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(max)));
  for (double step : {1.0, 2.0, 5.0, 10.0}) {
    if (step * power >= max) return step * power;
  }
  return 10 * power;
}

QColor SeriesColour(const std::string& series) {
  if (series == "thumbs") return QColor(31, 119, 180);
  if (series == "apps") return QColor(214, 39, 40);
  return QColor(44, 160, 44);
}

Qt::PenStyle TypeStyle(const std::string& type) { return type == "tessel" ? Qt::DashLine : Qt::SolidLine; }

QString Number(double v) { return QString::number(v, 'g', 4); }

void DrawAxes(QPainter& p, const QRect& area, double x_max, double y_max, const QString& title, const QString& y_label) {
  p.setPen(Qt::black);
  p.drawRect(area);
  for (int i = 0; i <= kTicks; ++i) {
    const int y = area.bottom() - area.height() * i / kTicks;
    const int x = area.left() + area.width() * i / kTicks;
    p.setPen(QColor(220, 220, 220));
    p.drawLine(area.left(), y, area.right(), y);
    p.setPen(Qt::black);
    p.drawText(QRect(area.left() - kMarginPx, y - 10, kMarginPx - 6, 20), Qt::AlignRight | Qt::AlignVCenter,
               Number(y_max * i / kTicks));
    p.drawText(QRect(x - 30, area.bottom() + 4, 60, 20), Qt::AlignHCenter | Qt::AlignTop, Number(x_max * i / kTicks));
  }
  p.drawText(QRect(area.left(), area.top() - 30, area.width(), 24), Qt::AlignCenter, title);
  p.drawText(QRect(area.left(), area.bottom() + 24, area.width(), 20), Qt::AlignCenter, QStringLiteral("devices"));
  p.save();
  p.translate(area.left() - kMarginPx + 14, area.center().y());
  p.rotate(-90);
  p.drawText(QRect(-area.height() / 2, -10, area.height(), 20), Qt::AlignCenter, y_label);
  p.restore();
}

void DrawPanel(QPainter& p, const QRect& area, const Lines& lines, const Value& value, const QString& title,
               const QString& y_label) {
  double x_max = 1;
  double y_max = 0;
  for (const auto& [key, points] : lines) {
    for (const ScaleRow* r : points) {
      x_max = std::max(x_max, static_cast<double>(r->devices));
      y_max = std::max(y_max, value(*r));
    }
  }
  y_max = RoundUp(y_max);
  x_max = RoundUp(x_max);
  DrawAxes(p, area, x_max, y_max, title, y_label);
  const auto place = [&](const ScaleRow& r) {
    return QPointF(area.left() + area.width() * r.devices / x_max, area.bottom() - area.height() * value(r) / y_max);
  };
  for (const auto& [key, points] : lines) {
    QPainterPath path;
    for (const ScaleRow* r : points) {
      if (path.elementCount() == 0) path.moveTo(place(*r)); else path.lineTo(place(*r));
    }
    p.setPen(QPen(SeriesColour(key.second), 2, TypeStyle(key.first)));
    p.drawPath(path);
    for (const ScaleRow* r : points) p.drawEllipse(place(*r), 3, 3);
  }
}

void DrawLegend(QPainter& p, const QRect& area, const Lines& lines) {
  int x = area.left();
  for (const auto& [key, points] : lines) {
    p.setPen(QPen(SeriesColour(key.second), 2, TypeStyle(key.first)));
    p.drawLine(x, area.center().y(), x + 40, area.center().y());
    p.setPen(Qt::black);
    const QString label = QString::fromStdString(key.first + " " + key.second);
    p.drawText(QRect(x + 46, area.top(), 160, area.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
    x += 210;
  }
}

}  // namespace

QImage DrawScalePlot(const std::vector<ScaleRow>& rows) {
  QImage image(kPlotWidthPx, kPlotHeightPx, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const Lines lines = GroupLines(rows);
  const int panel_w = kPlotWidthPx / 2 - 2 * kMarginPx;
  const int panel_h = kPlotHeightPx - 2 * kMarginPx - kLegendHeightPx;
  const QRect cpu(kMarginPx, kMarginPx, panel_w, panel_h);
  const QRect rss(kPlotWidthPx / 2 + kMarginPx, kMarginPx, panel_w, panel_h);
  DrawPanel(p, cpu, lines, [](const ScaleRow& r) { return r.cpu_percent; }, QStringLiteral("Client CPU"),
            QStringLiteral("% of one core"));
  DrawPanel(p, rss, lines, [](const ScaleRow& r) { return r.rss_mb; }, QStringLiteral("Client resident memory"),
            QStringLiteral("MB"));
  DrawLegend(p, QRect(kMarginPx, kPlotHeightPx - kLegendHeightPx, kPlotWidthPx - 2 * kMarginPx, kLegendHeightPx / 2),
             lines);
  return image;
}

bool WriteScalePlot(const QString& path, const std::vector<ScaleRow>& rows, QString& error) {
  if (DrawScalePlot(rows).save(path, "PNG")) return true;
  error = QStringLiteral("cannot write ") + path;
  return false;
}

}  // namespace zor::bench
