#include "scale/report/Percentile.h"

#include <algorithm>
#include <cmath>

namespace zor::bench {

std::optional<int64_t> NearestRankPercentile(std::vector<int64_t> samples, double percent) {
  if (samples.empty() || !(percent > 0) || percent > 100) return std::nullopt;
  const auto rank = static_cast<size_t>(std::ceil(percent / 100.0 * static_cast<double>(samples.size())));
  const size_t index = std::clamp<size_t>(rank, 1, samples.size()) - 1;
  std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(index), samples.end());
  return samples[index];
}

double PercentileMs(const std::vector<int64_t>& samples_ns, double percent) {
  const std::optional<int64_t> ns = NearestRankPercentile(samples_ns, percent);
  return ns ? static_cast<double>(*ns) / 1e6 : -1;
}

}  // namespace zor::bench
