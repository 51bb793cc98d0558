#pragma once
// Percentiles of latency samples for the scale report.
#include <cstdint>
#include <optional>
#include <vector>

namespace zor::bench {

// The nearest-rank percentile (`percent` in (0, 100]) of `samples`: the smallest sample that at
// least `percent` % of all samples do not exceed. No samples: nothing.
std::optional<int64_t> NearestRankPercentile(std::vector<int64_t> samples, double percent);

// A percentile of nanosecond samples in milliseconds, or -1 without samples (the CSV's "none").
double PercentileMs(const std::vector<int64_t>& samples_ns, double percent);

}  // namespace zor::bench
