#pragma once
// One row of a scale run: zorkvm-sim with N devices of one type, and the GUI program's client
// stack (its main window, panes and thumbnails, runners, full control window) in this process
// on the current Qt platform. GUI thread only.
#include <optional>
#include <string>

#include "scale/ScaleOptions.h"
#include "scale/report/ScaleRow.h"

namespace zor::bench {

// Measures one case; nothing, with `error` saying why, when the simulator would not start or
// the devices did not all stream.
std::optional<ScaleRow> RunScaleCase(const ScaleOptions& options, const ScaleCase& c, std::string& error);

}  // namespace zor::bench
