// Phases of drivers made one after another fill the interval evenly, whichever phases drivers
// made earlier in the process took.
#include "device/PhaseSpread.h"

#include <gtest/gtest.h>

#include <array>

namespace zor {
namespace {

TEST(PhaseSpread, SixtyFourDriversFillEveryEighthOfTheInterval) {
  std::array<int, 8> per_eighth{};
  for (int i = 0; i < 64; ++i) {
    const double phase = NextPhaseFraction();
    ASSERT_GE(phase, 0.0);
    ASSERT_LT(phase, 1.0);
    ++per_eighth[static_cast<size_t>(phase * 8)];
  }
  for (const int count : per_eighth) {
    EXPECT_GE(count, 6);
    EXPECT_LE(count, 10);
  }
}

}  // namespace
}  // namespace zor
