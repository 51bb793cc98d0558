// When the hardware device driver hands pictures to its client, with time from a test clock.
#include "device/DeliveryRate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace zor {
namespace {

constexpr int64_t kMs = 1'000'000;

struct Delivery {
  int picture;  // 1-based index of the arrival
  int64_t at_ms;
  bool operator==(const Delivery&) const = default;
};

// Runs a pacer created at time 0 with `phase_ms` over pictures arriving at `arrivals_ms`, with
// the driver's wake-up for a held picture coming `wake_late_ms` after it is due, as a loaded
// timer would.
std::vector<Delivery> Simulate(const std::vector<int64_t>& arrivals_ms, int64_t interval_ms, int64_t wake_late_ms = 0,
                               int64_t phase_ms = 0) {
  int64_t now_ns = 0;
  DeliveryPacer pacer([&] { return now_ns; }, phase_ms * kMs);
  const int64_t interval_ns = interval_ms * kMs;
  constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
  std::vector<Delivery> deliveries;
  int64_t wake_ns = kNever;
  int held = 0;
  size_t next = 0;
  while (next < arrivals_ms.size() || wake_ns != kNever) {
    const int64_t arrival_ns = next < arrivals_ms.size() ? arrivals_ms[next] * kMs : kNever;
    if (wake_ns <= arrival_ns) {
      now_ns = wake_ns;
      wake_ns = kNever;
      if (pacer.TakeHeldIfDue(interval_ns)) deliveries.push_back({held, now_ns / kMs});
      if (pacer.Holding()) wake_ns = pacer.DueNs(interval_ns) + wake_late_ms * kMs;
      continue;
    }
    now_ns = arrival_ns;
    const int picture = static_cast<int>(++next);
    if (pacer.OnPicture(interval_ns) == DeliveryPacer::Decision::kDeliverNow) {
      deliveries.push_back({picture, now_ns / kMs});
    } else {
      held = picture;
      wake_ns = pacer.DueNs(interval_ns) + wake_late_ms * kMs;
    }
  }
  return deliveries;
}

TEST(DeliveryPacer, BurstsEndWithTheirNewestPicture) {
  struct Case {
    const char* what;
    std::vector<int64_t> arrivals_ms;
    int64_t interval_ms;
    std::vector<Delivery> expected;
    int64_t phase_ms = 0;
  };
  const Case cases[] = {
      {"burst right after connecting", {10, 11, 12}, 250, {{3, 250}}},
      {"burst after a quiet while", {300, 301, 302}, 250, {{1, 300}, {3, 500}}},  // on the 250 ms grid
      {"no limit", {1, 2, 3}, 0, {{1, 1}, {2, 2}, {3, 3}}},
      {"slower than the limit", {100, 200, 300}, 66, {{1, 100}, {2, 200}, {3, 300}}},
      {"one picture then silence", {5}, 66, {{1, 66}}},
      // A phase brings the whole grid forward: the same pictures go out 100 ms earlier.
      {"burst right after connecting, phase 100", {10, 11, 12}, 250, {{3, 150}}, 100},
      {"burst after a quiet while, phase 100", {300, 301, 302}, 250, {{1, 300}, {3, 400}}, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Simulate(c.arrivals_ms, c.interval_ms, 0, c.phase_ms), c.expected) << c.what;
  }
}

// The delivered rate is the lower of the source's and the configured one, within 10 %, also
// when the wake-up for a held picture comes late.
TEST(DeliveryPacer, DeliveredRateIsTheLowerOfSourceAndLimit) {
  struct Case {
    int source_fps;
    int limit_fps;
    int64_t wake_late_ms;
  };
  const Case cases[] = {
      {20, 15, 0}, {20, 15, 5}, {30, 4, 3}, {10, 15, 0}, {60, 30, 2}, {25, 30, 10}, {15, 15, 1},
  };
  constexpr int kSeconds = 20;
  for (const Case& c : cases) {
    std::vector<int64_t> arrivals_ms;
    for (int i = 1; i <= c.source_fps * kSeconds; ++i) arrivals_ms.push_back(int64_t{i} * 1000 / c.source_fps);
    const auto deliveries = Simulate(arrivals_ms, 1000 / c.limit_fps, c.wake_late_ms);
    const double expected_fps = std::min<double>(c.source_fps, 1000.0 / (1000 / c.limit_fps));
    const double delivered_fps = static_cast<double>(deliveries.size()) / kSeconds;
    EXPECT_NEAR(delivered_fps, expected_fps, 0.1 * expected_fps)
        << c.source_fps << " fps source, limit " << c.limit_fps << ", wake-up " << c.wake_late_ms << " ms late";
    // Whatever was dropped, the last picture the source sent is the last one shown.
    ASSERT_FALSE(deliveries.empty());
    EXPECT_EQ(deliveries.back().picture, static_cast<int>(arrivals_ms.size()));
  }
}

}  // namespace
}  // namespace zor
