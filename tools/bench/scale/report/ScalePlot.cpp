#include "scale/report/ScalePlot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace zor::bench {
namespace {

constexpr int kMarginPx = 70;
constexpr int kLegendHeightPx = 60;
constexpr int kLegendColumns = 4;
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
  if (series == "fullcontrol") return QColor(44, 160, 44);
  return QColor(148, 103, 189);
}

Qt::PenStyle TypeStyle(const std::string& type) { return type == "tessel" ? Qt::DashLine : Qt::SolidLine; }

QString Number(double v) { return QString::number(v, 'g', 4); }

// The x axis runs from 0 to the largest device count, with a tick at each count measured.
void DrawAxes(QPainter& p, const QRect& area, const std::set<int>& counts, double y_max, const QString& title,
              const QString& y_label) {
  p.setPen(Qt::black);
  p.drawRect(area);
  for (int i = 0; i <= kTicks; ++i) {
    const int y = area.bottom() - area.height() * i / kTicks;
    p.setPen(QColor(220, 220, 220));
    p.drawLine(area.left(), y, area.right(), y);
    p.setPen(Qt::black);
    p.drawText(QRect(area.left() - kMarginPx, y - 10, kMarginPx - 6, 20), Qt::AlignRight | Qt::AlignVCenter,
               Number(y_max * i / kTicks));
  }
  const double x_max = counts.empty() ? 1 : *counts.rbegin();
  for (int n : counts) {
    const int x = area.left() + static_cast<int>(area.width() * n / x_max);
    p.drawLine(x, area.bottom(), x, area.bottom() + 4);
    p.drawText(QRect(x - 30, area.bottom() + 4, 60, 20), Qt::AlignHCenter | Qt::AlignTop, QString::number(n));
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
  std::set<int> counts;
  double y_max = 0;
  for (const auto& [key, points] : lines) {
    for (const ScaleRow* r : points) {
      counts.insert(r->devices);
      y_max = std::max(y_max, value(*r));
    }
  }
  y_max = RoundUp(y_max);
  const double x_max = counts.empty() ? 1 : *counts.rbegin();
  DrawAxes(p, area, counts, y_max, title, y_label);
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

// Entries in rows of kLegendColumns, each row `area`'s height.
void DrawLegend(QPainter& p, const QRect& area, const Lines& lines) {
  const int column_w = area.width() / kLegendColumns;
  int i = 0;
  for (const auto& [key, points] : lines) {
    const int x = area.left() + (i % kLegendColumns) * column_w;
    const int top = area.top() + (i / kLegendColumns) * area.height();
    const int mid = top + area.height() / 2;
    p.setPen(QPen(SeriesColour(key.second), 2, TypeStyle(key.first)));
    p.drawLine(x, mid, x + 40, mid);
    p.setPen(Qt::black);
    const QString label = QString::fromStdString(key.first + " " + key.second);
    p.drawText(QRect(x + 46, top, column_w - 50, area.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
    ++i;
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
