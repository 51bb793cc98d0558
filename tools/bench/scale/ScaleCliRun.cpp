#include "scale/ScaleCliRun.h"

#include <signal.h>

#include <fstream>

#include "platform/Clock.h"
#include "platform/FileIO.h"
#include "scale/ProcessSample.h"
#include "scale/ScaleRun.h"
#include "support/ChildProcess.h"
#include "support/Wait.h"

namespace zor::bench {
namespace {

// Enough of the run's standard error to say why it failed, without echoing a flood.
constexpr size_t kMaxErrorBytes = 4096;

// Lines of the run's JSON output that hold `event`.
uint64_t CountEvents(const std::string& path, const std::string& event) {
  const std::string needle = "\"event\":\"" + event + "\"";
  std::ifstream in(path);
  uint64_t n = 0;
  for (std::string line; std::getline(in, line);) n += line.find(needle) != std::string::npos ? 1 : 0;
  return n;
}

}  // namespace

std::optional<ScaleRow> RunCliCase(const ScaleOptions& options, const ScaleCase& c, const std::string& folder,
                                   std::string& error) {
  const std::string events = folder + "/run.jsonl";
  test::ChildProcess cli({ZORKVM_TOOLS_DIR "/zorkvm-cli", "run", "--config", folder + "/config.ini"}, events,
                         folder + "/run.err");
  const auto connected = [&] { return CountEvents(events, "connected") >= static_cast<uint64_t>(c.devices); };
  if (!cli.Started() || !test::WaitUntil([&] { return !cli.Running() || connected(); }, kStreamingTimeoutMs) ||
      !connected()) {
    std::string said;
    ReadWholeFile(folder + "/run.err", kMaxErrorBytes, said);
    error = "zorkvm-cli run did not connect every device; it said: " + said;
    return std::nullopt;
  }
  // The warm-up and the measured window are spans of the child's work, not waits for an event.
  SleepMs(static_cast<int64_t>(options.warmup_seconds * 1000));
  const uint64_t evaluated_before = CountEvents(events, "item_evaluated");
  const ProcessSample before = SampleProcess(cli.Pid());
  SleepMs(static_cast<int64_t>(options.seconds * 1000));
  const ProcessSample after = SampleProcess(cli.Pid());
  const uint64_t evaluated_after = CountEvents(events, "item_evaluated");
  cli.Stop(SIGINT);
  ScaleRow row{c.type, c.series, c.devices};
  SetProcessFigures(before, after, row);
  row.frames_analysed = evaluated_after - evaluated_before;
  return row;
}

}  // namespace zor::bench
