// The stage probe: silent while off, totals and latencies while on, bounded however long it
// runs. The probe is process-wide: each test resets it and turns it off again.
#include <gtest/gtest.h>

#include "platform/StageProbe.h"

namespace zor::probe {
namespace {

class StageProbeTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override {
    SetOn(false);
    Reset();
  }
};

TEST_F(StageProbeTest, OffRecordsNothingAndStampsNothing) {
  SetOn(false);
  EXPECT_EQ(StampNs(), 0);
  { const StageTimer timer(Stage::Decode); }
  AddLatency(Track::Thumbnail, StampNs());
  EXPECT_EQ(Total(Stage::Decode).count, 0u);
  EXPECT_EQ(LatencyCount(Track::Thumbnail), 0u);
}

TEST_F(StageProbeTest, OnCountsEachStageAndTrackApart) {
  SetOn(true);
  { const StageTimer timer(Stage::Paint); }
  { const StageTimer timer(Stage::Paint); }
  { const StageTimer timer(Stage::Analysis); }
  const int64_t stamp = StampNs();
  ASSERT_NE(stamp, 0);
  AddLatency(Track::FullControl, stamp);
  EXPECT_EQ(Total(Stage::Paint).count, 2u);
  EXPECT_GE(Total(Stage::Paint).ns, 0);
  EXPECT_EQ(Total(Stage::Analysis).count, 1u);
  EXPECT_EQ(Total(Stage::Decode).count, 0u);
  EXPECT_EQ(LatencyCount(Track::FullControl), 1u);
  EXPECT_EQ(LatencyCount(Track::Thumbnail), 0u);
  ASSERT_EQ(Latencies(Track::FullControl).size(), 1u);
  EXPECT_GE(Latencies(Track::FullControl)[0], 0);
}

TEST_F(StageProbeTest, ARepaintOfTheSameFrameIsNotASecondLatency) {
  SetOn(true);
  const int64_t first = StampNs();
  AddLatency(Track::Thumbnail, first);
  AddLatency(Track::Thumbnail, first);
  AddLatency(Track::Thumbnail, first + 1);
  EXPECT_EQ(LatencyCount(Track::Thumbnail), 2u);
}

TEST_F(StageProbeTest, LatenciesPastTheTableAreCountedButNotKept) {
  SetOn(true);
  const size_t extra = 10;
  for (size_t i = 1; i <= kMaxLatencySamples + extra; ++i) AddLatency(Track::Thumbnail, static_cast<int64_t>(i));
  EXPECT_EQ(LatencyCount(Track::Thumbnail), kMaxLatencySamples + extra);
  EXPECT_EQ(Latencies(Track::Thumbnail).size(), kMaxLatencySamples);
  Reset();
  EXPECT_EQ(LatencyCount(Track::Thumbnail), 0u);
  EXPECT_TRUE(Latencies(Track::Thumbnail).empty());
}

}  // namespace
}  // namespace zor::probe
