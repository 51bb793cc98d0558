#pragma once
// OUTDIR/scale.csv: one line per device type, series and device count, numbers in the C
// locale's notation whatever the process's locale.
#include <optional>
#include <string>
#include <vector>

#include "scale/report/ScaleRow.h"

namespace zor::bench {

std::string ScaleCsvHeader();
std::string ScaleCsvLine(const ScaleRow& row);
// The row of a line ScaleCsvLine wrote (the share columns, derived, are not read back);
// nothing for a line of another shape.
std::optional<ScaleRow> ParseScaleCsvLine(const std::string& line);
// Writes the header and every row, replacing `path` whole or not at all; false with `error`
// saying why.
// Reads a file WriteScaleCsv wrote; false with `error` naming the first line it cannot read.
bool ReadScaleCsv(const std::string& path, std::vector<ScaleRow>& rows, std::string& error);
bool WriteScaleCsv(const std::string& path, const std::vector<ScaleRow>& rows, std::string& error);

}  // namespace zor::bench
