#include "device/PhaseSpread.h"

#include <atomic>

namespace zor {

double NextPhaseFraction() {
  // The golden ratio's fraction in 1/1024 steps: 0, 0.618, 0.236, 0.854, 0.472, ...
  constexpr int64_t kGoldenStep = 633;
  constexpr int64_t kSteps = 1024;
  static std::atomic<int64_t> taken{0};
  const int64_t step = taken.fetch_add(1, std::memory_order_relaxed) * kGoldenStep % kSteps;
  return static_cast<double>(step) / kSteps;
}

}  // namespace zor
