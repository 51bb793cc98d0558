// The decoder's part in the scale bench's measurements: while the stage probe is on, each decode
// stamps its frame with the moment its bytes were complete and counts as one decode; while off,
// neither happens.
#include <gtest/gtest.h>

#include "device/JpegDecoder.h"
#include "platform/StageProbe.h"
#include "sim/SimScreen.h"

namespace zor {
namespace {

class DecodeProbe : public ::testing::Test {
 protected:
  void SetUp() override { probe::Reset(); }
  void TearDown() override {
    probe::SetOn(false);
    probe::Reset();
  }

  bool DecodeOnce(ScreenImage& frame) {
    return DecodeJpeg(context_, jpeg_.data(), jpeg_.size(), PictureNeed::FullSize(), frame);
  }

  JpegContext context_;
  const std::vector<uint8_t> jpeg_ = *SimScreen(320, 180).Jpeg(60);
};

TEST_F(DecodeProbe, OnStampsTheFrameAndCountsTheDecode) {
  probe::SetOn(true);
  const int64_t before_ns = MonotonicNs();
  ScreenImage frame;
  ASSERT_TRUE(DecodeOnce(frame));
  EXPECT_GE(frame.complete_ns, before_ns);
  EXPECT_EQ(probe::Total(probe::Stage::Decode).count, 1u);
}

TEST_F(DecodeProbe, OffLeavesTheFrameUnstampedAndCountsNothing) {
  ScreenImage frame;
  frame.complete_ns = 123;  // a pool buffer's stamp from an earlier picture
  ASSERT_TRUE(DecodeOnce(frame));
  EXPECT_EQ(frame.complete_ns, 0);
  EXPECT_EQ(probe::Total(probe::Stage::Decode).count, 0u);
}

}  // namespace
}  // namespace zor
