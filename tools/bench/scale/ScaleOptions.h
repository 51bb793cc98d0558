#pragma once
// The command line of `zorkvm-bench scale OUTDIR [--seconds S] [--warmup S] [--counts 1,8,...]
// [--types softkvm,tessel] [--series thumbs,apps,fullcontrol,cli-apps]`.
#include <optional>
#include <string>
#include <vector>

namespace zor::bench {

// The simulator serves at most this many devices per process.
inline constexpr int kMaxScaleDevices = 64;
// A measured window longer than an hour is a typo, not a benchmark.
inline constexpr double kMaxScaleSeconds = 3600;

struct ScaleCase {
  std::string type;    // "softkvm" or "tessel"
  // "thumbs", "apps", "fullcontrol", or "cli-apps": the "apps" series run by `zorkvm-cli run` in
  // a child process, whose process figures and analyses the row then gives
  std::string series;
  int devices = 1;
};

struct ScaleOptions {
  std::string out_dir;
  double seconds = 10;        // measured per row
  double warmup_seconds = 3;  // after every device streams (and the Apps run), before measuring
  std::vector<int> counts = {1, 8, 16, 32, 64};
  std::vector<std::string> types = {"softkvm", "tessel"};
  std::vector<std::string> series = {"thumbs", "apps", "fullcontrol", "cli-apps"};
  // --row TYPE,SERIES,N: measure this one case in this process and print its CSV line (the run
  // starts one such process per row, so no row inherits another's memory or threads).
  std::optional<ScaleCase> row;
  // --replot: draw OUTDIR/scale.png again from OUTDIR/scale.csv, measuring nothing.
  bool replot = false;
};

// The arguments of the process that measures `c` for a run of `options`.
std::vector<std::string> RowArguments(const ScaleOptions& options, const ScaleCase& c);

std::string ScaleUsage();
// Nothing, with `error` saying why, for a command line it cannot run.
std::optional<ScaleOptions> ParseScaleOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace zor::bench
