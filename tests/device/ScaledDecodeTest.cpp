// Decoding at the size a view needs: which DCT scale a picture gets, what the frame then says
// about the screen, and that the full picture is the same as ever, byte for byte.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "device/JpegDecoder.h"
#include "sim/SimScreen.h"
#include "support/NeedText.h"

namespace zor {
namespace {

struct ScaleCase {
  PictureNeed need;
  uint32_t width;
  uint32_t height;
  DecodeScale expected;
};

void PrintTo(const ScaleCase& c, std::ostream* out) {
  *out << test::NeedText(c.need) << ", " << c.width << "x" << c.height;
}

class ScaleForTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleForTest, PicksTheSmallestScaleThatCoversTheShownPicture) {
  const ScaleCase& c = GetParam();
  EXPECT_EQ(ScaleFor(c.need, c.width, c.height), c.expected) << c.width << "x" << c.height;
}

constexpr PictureNeed kThumb = PictureNeed::FitInto(400, 225);

INSTANTIATE_TEST_SUITE_P(
    Cases, ScaleForTest,
    ::testing::Values(ScaleCase{PictureNeed::FullSize(), 1920, 1080, {1, 1}},
                      ScaleCase{kThumb, 1920, 1080, {1, 4}},   // 480 x 270; 1/8 would be 240 x 135
                      ScaleCase{kThumb, 3840, 2160, {1, 8}},   // 480 x 270
                      ScaleCase{kThumb, 1024, 768, {1, 2}},    // shown 300 x 225: 256 x 192 is short
                      ScaleCase{kThumb, 800, 450, {1, 2}},     // exactly the view
                      ScaleCase{kThumb, 640, 360, {1, 1}},     // even 1/2 would be smaller than shown
                      ScaleCase{PictureNeed::FitInto(401, 225), 800, 450, {1, 2}},  // shown 400 x 225
                      ScaleCase{PictureNeed::FitInto(1, 1), 16, 16, {1, 8}}));

std::vector<uint8_t> DesktopJpeg(int32_t width, int32_t height) {
  SimScreen screen(width, height);
  return *screen.Jpeg(60);
}

TEST(ScaledDecodeTest, APictureDecodedSmallKeepsTheScreenSize) {
  const auto jpeg = DesktopJpeg(1920, 1080);
  JpegContext context;
  ScreenImage frame;
  ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), kThumb, frame));
  EXPECT_TRUE(frame.Scaled());
  EXPECT_EQ(frame.width, 480u);
  EXPECT_EQ(frame.height, 270u);
  EXPECT_EQ(frame.pixels.size(), size_t{480} * 270 * 4);
  EXPECT_EQ(frame.ScreenWidth(), 1920u);
  EXPECT_EQ(frame.ScreenHeight(), 1080u);
}

TEST(ScaledDecodeTest, TheFullPictureIsByteForByteTheDirectDecodeAlsoInAReusedSmallFrame) {
  const auto jpeg = DesktopJpeg(1920, 1080);
  JpegContext direct_context;
  std::vector<uint8_t> direct;
  uint32_t width = 0;
  uint32_t height = 0;
  ASSERT_TRUE(DecodeJpeg(direct_context, jpeg.data(), jpeg.size(), direct, width, height));

  JpegContext context;
  ScreenImage frame;  // first small, as a pooled frame of a thumbnail-only device would be
  ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), kThumb, frame));
  ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), PictureNeed::FullSize(), frame));
  EXPECT_FALSE(frame.Scaled());
  EXPECT_EQ(frame.width, width);
  EXPECT_EQ(frame.height, height);
  EXPECT_TRUE(frame.pixels == direct);
}

TEST(ScaledDecodeTest, AFrameGoingFromFullToSmallAndBackKeepsItsPixelBuffer) {
  const auto jpeg = DesktopJpeg(1920, 1080);
  JpegContext context;
  ScreenImage frame;
  ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), PictureNeed::FullSize(), frame));
  const uint8_t* buffer = frame.pixels.data();
  for (const PictureNeed& need : {kThumb, PictureNeed::Unseen(), PictureNeed::FullSize(), kThumb}) {
    ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), need, frame));
    EXPECT_EQ(frame.pixels.data(), buffer) << "a pooled frame is decoded into again, not reallocated";
  }
}

TEST(ScaledDecodeTest, APictureNobodySeesIsOnlyCheckedAndGivesTheScreenSize) {
  const auto jpeg = DesktopJpeg(1920, 1080);
  JpegContext context;
  ScreenImage frame;
  ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), PictureNeed::Unseen(), frame));
  EXPECT_TRUE(frame.Empty());
  EXPECT_TRUE(frame.pixels.empty());
  EXPECT_EQ(frame.ScreenWidth(), 1920u);
  EXPECT_EQ(frame.ScreenHeight(), 1080u);
  const std::string text = "no JPEG header";
  EXPECT_FALSE(DecodeJpeg(context, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                          PictureNeed::Unseen(), frame));
}

TEST(ScaledDecodeTest, APictureTooSmallToScaleIsFullSizeAndSaysSo) {
  const auto jpeg = DesktopJpeg(640, 360);
  JpegContext context;
  ScreenImage frame;
  frame.scaled_from_width = 1920;  // left from an earlier use of a pooled frame
  frame.scaled_from_height = 1080;
  ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), kThumb, frame));
  EXPECT_FALSE(frame.Scaled());
  EXPECT_EQ(frame.ScreenWidth(), 640u);
}

TEST(ScaledDecodeTest, BadDataFailsAtAnyScale) {
  auto jpeg = DesktopJpeg(640, 360);
  jpeg.resize(jpeg.size() / 2);
  JpegContext context;
  ScreenImage frame;
  EXPECT_FALSE(DecodeJpeg(context, jpeg.data(), jpeg.size(), PictureNeed::FitInto(100, 100), frame));
  EXPECT_FALSE(DecodeJpeg(context, nullptr, 0, PictureNeed::FitInto(100, 100), frame));
}

}  // namespace
}  // namespace zor
