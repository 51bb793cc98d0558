#include "scale/ScaleOptions.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace zor::bench {
namespace {

const std::vector<std::string> kTypes = {"softkvm", "tessel"};
const std::vector<std::string> kSeries = {"thumbs", "apps", "fullcontrol", "cli-apps"};

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
  return parts;
}

bool ParseSeconds(const std::string& text, double& seconds) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  return ec == std::errc() && end == text.data() + text.size() && seconds > 0 && seconds <= kMaxScaleSeconds;
}

bool ParseCounts(const std::string& text, std::vector<int>& counts) {
  counts.clear();
  for (const std::string& part : SplitCommas(text)) {
    int n = 0;
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), n);
    if (ec != std::errc() || end != part.data() + part.size() || n < 1 || n > kMaxScaleDevices) return false;
    counts.push_back(n);
  }
  return !counts.empty();
}

bool ParseNames(const std::string& text, const std::vector<std::string>& known, std::vector<std::string>& names) {
  names = SplitCommas(text);
  return !names.empty() && std::all_of(names.begin(), names.end(), [&](const std::string& n) {
    return std::find(known.begin(), known.end(), n) != known.end();
  });
}

bool ParseRow(const std::string& text, std::optional<ScaleCase>& row) {
  const std::vector<std::string> parts = SplitCommas(text);
  std::vector<std::string> type;
  std::vector<std::string> series;
  std::vector<int> devices;
  if (parts.size() != 3 || !ParseNames(parts[0], kTypes, type) || !ParseNames(parts[1], kSeries, series) ||
      !ParseCounts(parts[2], devices)) {
    return false;
  }
  row = ScaleCase{type[0], series[0], devices[0]};
  return true;
}

// Seconds as the shortest text that reads back as the same value.
std::string SecondsText(double seconds) {
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, seconds);
  return std::string(text, ec == std::errc() ? end : text);
}

}  // namespace

std::vector<std::string> RowArguments(const ScaleOptions& options, const ScaleCase& c) {
  return {"scale", options.out_dir, "--seconds", SecondsText(options.seconds), "--warmup",
          SecondsText(options.warmup_seconds), "--row", c.type + "," + c.series + "," + std::to_string(c.devices)};
}

std::string ScaleUsage() {
  return "usage: zorkvm-bench scale OUTDIR [--seconds S] [--warmup S] [--counts 1,8,16,32,64]\n"
         "                          [--types softkvm,tessel] [--series thumbs,apps,fullcontrol,cli-apps]\n"
         "       zorkvm-bench scale OUTDIR --replot   (draws scale.png again from scale.csv)\n"
         "Runs the GUI's client stack offscreen against zorkvm-sim for each type, series and device\n"
         "count (at most 64) and writes OUTDIR/scale.csv and OUTDIR/scale.png.\n";
}

std::optional<ScaleOptions> ParseScaleOptions(const std::vector<std::string>& args, std::string& error) {
  ScaleOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      if (!o.out_dir.empty()) return error = "more than one OUTDIR: " + a, std::nullopt;
      o.out_dir = a;
      continue;
    }
    if (a == "--replot") {
      o.replot = true;
      continue;
    }
    if (i + 1 >= args.size()) return error = a + " needs a value", std::nullopt;
    const std::string& v = args[++i];
    bool ok = false;
    if (a == "--seconds") ok = ParseSeconds(v, o.seconds);
    else if (a == "--warmup") ok = ParseSeconds(v, o.warmup_seconds);
    else if (a == "--counts") ok = ParseCounts(v, o.counts);
    else if (a == "--types") ok = ParseNames(v, kTypes, o.types);
    else if (a == "--series") ok = ParseNames(v, kSeries, o.series);
    else if (a == "--row") ok = ParseRow(v, o.row);
    else return error = "unknown option " + a, std::nullopt;
    if (!ok) return error = "bad value for " + a + ": " + v, std::nullopt;
  }
  if (o.out_dir.empty()) return error = "OUTDIR is missing", std::nullopt;
  return o;
}

}  // namespace zor::bench
