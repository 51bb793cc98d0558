#pragma once
// One measured row of a scale run: a device type, a series and a device count, and what the
// client process spent on them. Written by ScaleCsv, drawn by ScalePlot.
#include <array>
#include <cstdint>
#include <string>

namespace zor::bench {

// The stages whose share of the frame path a row reports, in the CSV's column order.
inline constexpr std::array<const char*, 5> kStageNames = {"receive", "decode", "fanout", "paint", "analysis"};

struct ScaleRow {
  std::string type;    // "softkvm" or "tessel"
  std::string series;  // "thumbs", "apps", "fullcontrol" or "cli-apps"
  int devices = 0;
  double seconds = 0;  // length of the measured window
  double cpu_percent = 0;  // of one core: user + system time over wall time
  double rss_mb = 0;
  int threads = 0;
  // Pictures decoded by the client (what arrived), first paints of a new picture in a
  // thumbnail, Item analyses of the App workers, and paints of the full control window.
  uint64_t frames_received = 0;
  uint64_t frames_painted = 0;
  uint64_t frames_analysed = 0;
  uint64_t fullcontrol_painted = 0;
  // Bytes complete at the client to the end of the paint that first shows the picture; -1: none.
  double latency_median_ms = -1;
  double latency_p99_ms = -1;
  double fullcontrol_latency_median_ms = -1;
  double fullcontrol_latency_p99_ms = -1;
  // CPU milliseconds per second spent in each stage of kStageNames, all threads together.
  std::array<double, kStageNames.size()> stage_ms_per_s{};

  double RssPerDeviceMb() const { return devices > 0 ? rss_mb / devices : 0; }
  // Percent of the stages' summed time that `stage` took (0 when nothing was recorded).
  double StageSharePercent(size_t stage) const;
};

}  // namespace zor::bench
