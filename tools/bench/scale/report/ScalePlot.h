#pragma once
// OUTDIR/scale.png: the cost of the client against the number of devices, drawn with QPainter.
// Two panels side by side (CPU in % of one core, resident memory in MB), one line per device
// type and series. GUI thread (QPainter on a QImage needs the QApplication's fonts).
#include <QImage>
#include <QString>
#include <vector>

#include "scale/report/ScaleRow.h"

namespace zor::bench {

inline constexpr int kPlotWidthPx = 1400;
inline constexpr int kPlotHeightPx = 600;

QImage DrawScalePlot(const std::vector<ScaleRow>& rows);
// Draws and saves as PNG; false with `error` saying why.
bool WriteScalePlot(const QString& path, const std::vector<ScaleRow>& rows, QString& error);

}  // namespace zor::bench
