#pragma once
// The "cli-apps" series: `zorkvm-cli run` on the data folder's devices, one App each, in a
// child process whose CPU, memory and threads the row reports (the stage probe is not on there:
// the row's analyses are the child's item_evaluated lines).
#include <optional>
#include <string>

#include "scale/ScaleOptions.h"
#include "scale/report/ScaleRow.h"

namespace zor::bench {

std::optional<ScaleRow> RunCliCase(const ScaleOptions& options, const ScaleCase& c, const std::string& folder,
                                   std::string& error);

}  // namespace zor::bench
