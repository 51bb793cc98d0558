#pragma once
// One row of a scale run: zorkvm-sim with N devices of one type, and the GUI program's client
// stack (its main window, panes and thumbnails, runners, full control window) in this process
// on the current Qt platform. GUI thread only.
#include <optional>
#include <string>

#include "scale/ScaleOptions.h"
#include "scale/report/ScaleRow.h"

namespace zor::bench {

// The panes connect all at once (the program's timer takes them one a second); on a loaded
// machine 64 simulated devices may still take a while to send their first pictures.
inline constexpr int kStreamingTimeoutMs = 180000;

// Measures one case; nothing, with `error` saying why, when the simulator would not start or
// the devices did not all stream.
std::optional<ScaleRow> RunScaleCase(const ScaleOptions& options, const ScaleCase& c, std::string& error);

}  // namespace zor::bench
