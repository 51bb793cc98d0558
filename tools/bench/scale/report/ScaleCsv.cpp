#include "scale/report/ScaleCsv.h"

#include <charconv>
#include <sstream>
#include <system_error>

#include "platform/FileIO.h"

namespace zor::bench {
namespace {

// A whole run is 40 rows of some 300 bytes; a file far past that is not one of ours.
constexpr size_t kMaxScaleCsvBytes = size_t{1} << 20;

// Fixed notation with `digits` decimals through to_chars: snprintf would follow LC_NUMERIC,
// which Qt sets from the environment (a decimal comma would break the columns).
std::string Fixed(double value, int digits) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, digits);
  return ec == std::errc() ? std::string(text, end) : std::string("nan");
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t comma = line.find(','); comma != std::string::npos; comma = line.find(',', start)) {
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

template <typename T>
bool ParseField(const std::string& text, T& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

double ScaleRow::StageSharePercent(size_t stage) const {
  double sum = 0;
  for (double ms : stage_ms_per_s) sum += ms;
  return sum > 0 && stage < stage_ms_per_s.size() ? 100.0 * stage_ms_per_s[stage] / sum : 0;
}

std::string ScaleCsvHeader() {
  std::string h =
      "type,series,devices,seconds,cpu_percent,rss_mb,rss_per_device_mb,threads,frames_received,frames_painted,"
      "frames_analysed,fullcontrol_painted,latency_median_ms,latency_p99_ms,fullcontrol_latency_median_ms,"
      "fullcontrol_latency_p99_ms";
  for (const char* stage : kStageNames) h += std::string(",") + stage + "_ms_per_s";
  for (const char* stage : kStageNames) h += std::string(",") + stage + "_share_percent";
  return h;
}

std::string ScaleCsvLine(const ScaleRow& r) {
  std::string line = r.type + "," + r.series + "," + std::to_string(r.devices) + "," + Fixed(r.seconds, 2) + "," +
                     Fixed(r.cpu_percent, 1) + "," + Fixed(r.rss_mb, 1) + "," + Fixed(r.RssPerDeviceMb(), 2) + "," +
                     std::to_string(r.threads) + "," + std::to_string(r.frames_received) + "," +
                     std::to_string(r.frames_painted) + "," + std::to_string(r.frames_analysed) + "," +
                     std::to_string(r.fullcontrol_painted) + "," + Fixed(r.latency_median_ms, 2) + "," +
                     Fixed(r.latency_p99_ms, 2) + "," + Fixed(r.fullcontrol_latency_median_ms, 2) + "," +
                     Fixed(r.fullcontrol_latency_p99_ms, 2);
  for (double ms : r.stage_ms_per_s) line += "," + Fixed(ms, 2);
  for (size_t i = 0; i < kStageNames.size(); ++i) line += "," + Fixed(r.StageSharePercent(i), 1);
  return line;
}

std::optional<ScaleRow> ParseScaleCsvLine(const std::string& line) {
  const std::vector<std::string> f = SplitFields(line);
  if (f.size() != SplitFields(ScaleCsvHeader()).size()) return std::nullopt;
  ScaleRow r;
  r.type = f[0];
  r.series = f[1];
  double per_device_mb = 0;
  size_t i = 2;
  bool ok = ParseField(f[i++], r.devices) && ParseField(f[i++], r.seconds) && ParseField(f[i++], r.cpu_percent) &&
            ParseField(f[i++], r.rss_mb) && ParseField(f[i++], per_device_mb) && ParseField(f[i++], r.threads) &&
            ParseField(f[i++], r.frames_received) && ParseField(f[i++], r.frames_painted) &&
            ParseField(f[i++], r.frames_analysed) && ParseField(f[i++], r.fullcontrol_painted) &&
            ParseField(f[i++], r.latency_median_ms) && ParseField(f[i++], r.latency_p99_ms) &&
            ParseField(f[i++], r.fullcontrol_latency_median_ms) && ParseField(f[i++], r.fullcontrol_latency_p99_ms);
  for (double& ms : r.stage_ms_per_s) ok = ok && ParseField(f[i++], ms);
  return ok ? std::optional<ScaleRow>(r) : std::nullopt;
}

bool ReadScaleCsv(const std::string& path, std::vector<ScaleRow>& rows, std::string& error) {
  std::string text;
  const LoadResult loaded = ReadWholeFile(path, kMaxScaleCsvBytes, text);
  if (!loaded.Whole()) {
    error = "cannot read " + path + ": " + loaded.Reason();
    return false;
  }
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != ScaleCsvHeader()) {
    error = path + ": line 1 is not the header of a scale run";
    return false;
  }
  for (int number = 2; std::getline(in, line); ++number) {
    std::optional<ScaleRow> row = ParseScaleCsvLine(line);
    if (!row) {
      error = path + ": line " + std::to_string(number) + " is not a row of a scale run";
      return false;
    }
    rows.push_back(*row);
  }
  return true;
}

bool WriteScaleCsv(const std::string& path, const std::vector<ScaleRow>& rows, std::string& error) {
  std::string text = ScaleCsvHeader() + "\n";
  for (const ScaleRow& row : rows) text += ScaleCsvLine(row) + "\n";
  const SaveResult saved = WriteFileAtomically(path, text);
  if (!saved) error = "cannot write " + path + ": " + saved.failure;
  return static_cast<bool>(saved);
}

}  // namespace zor::bench
