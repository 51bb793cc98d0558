#include <gtest/gtest.h>

#include <random>

#include "client/JpegDecoder.h"
#include "sim/JpegEncoder.h"
#include "sim/SimScreen.h"

namespace zor {
namespace {

std::vector<uint8_t> DesktopJpeg(int32_t width, int32_t height, int quality = 80) {
  SimScreen screen(width, height);
  return *screen.Jpeg(quality);
}

TEST(DecodeJpegTest, DecodesToBgraCloseToTheSource) {
  SimScreen screen(320, 200);
  std::vector<uint8_t> source;
  screen.Render(source);
  const std::vector<uint8_t> jpeg = *screen.Jpeg(95);

  JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  ASSERT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), pixels, width, height));
  EXPECT_EQ(width, 320u);
  EXPECT_EQ(height, 200u);
  ASSERT_EQ(pixels.size(), source.size());
  // B, G, R in the source's order (a swapped order would be off by far more), alpha opaque.
  double error = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    for (size_t c = 0; c < 3; ++c) error += std::abs(int(pixels[i + c]) - int(source[i + c]));
    EXPECT_EQ(pixels[i + 3], 255);
  }
  EXPECT_LT(error / (pixels.size() / 4 * 3), 4.0);
}

TEST(DecodeJpegTest, ReusesTheBufferWhileTheSizeStaysAndResizesWhenItChanges) {
  JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  const auto big = DesktopJpeg(640, 360);
  const auto small = DesktopJpeg(200, 100);
  ASSERT_TRUE(DecodeJpeg(context, big.data(), big.size(), pixels, width, height));
  const uint8_t* buffer = pixels.data();
  ASSERT_TRUE(DecodeJpeg(context, big.data(), big.size(), pixels, width, height));
  EXPECT_EQ(pixels.data(), buffer);
  ASSERT_TRUE(DecodeJpeg(context, small.data(), small.size(), pixels, width, height));
  EXPECT_EQ(pixels.size(), size_t{200} * 100 * 4);
  EXPECT_EQ(width, 200u);
  EXPECT_EQ(height, 100u);
}

TEST(DecodeJpegTest, RefusesMissingAndNonJpegData) {
  JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  const auto jpeg = DesktopJpeg(64, 64);
  const uint8_t png_signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  const std::string text = R"({"action":"snapshot"})";
  EXPECT_FALSE(DecodeJpeg(context, nullptr, 100, pixels, width, height));
  EXPECT_FALSE(DecodeJpeg(context, jpeg.data(), 0, pixels, width, height));
  EXPECT_FALSE(DecodeJpeg(context, png_signature, sizeof png_signature, pixels, width, height));
  EXPECT_FALSE(DecodeJpeg(context, reinterpret_cast<const uint8_t*>(text.data()), text.size(), pixels, width, height));
}

TEST(DecodeJpegTest, RefusesEveryTruncation) {
  JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  const auto jpeg = DesktopJpeg(160, 120);
  // The last two bytes are the end-of-image marker, which decoders may forgive.
  for (size_t length = 1; length + 2 < jpeg.size(); length += 1 + length / 16) {
    EXPECT_FALSE(DecodeJpeg(context, jpeg.data(), length, pixels, width, height)) << "length " << length;
  }
}

// A baseline header announcing `width` x `height`, with no picture data after it.
std::vector<uint8_t> HeaderAnnouncing(uint16_t width, uint16_t height) {
  auto jpeg = DesktopJpeg(16, 16);
  for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<uint8_t>(height);
      jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<uint8_t>(width);
      return jpeg;
    }
  }
  return {};
}

TEST(DecodeJpegTest, RefusesHugeAnnouncedSizesBeforeAllocating) {
  JpegContext context;
  uint32_t width = 0;
  uint32_t height = 0;
  for (auto [w, h] : {std::pair<uint16_t, uint16_t>{65000, 65000}, {16385, 8}, {7681, 4321}, {8, 16385}}) {
    std::vector<uint8_t> pixels;
    const auto jpeg = HeaderAnnouncing(w, h);
    ASSERT_FALSE(jpeg.empty());
    EXPECT_FALSE(DecodeJpeg(context, jpeg.data(), jpeg.size(), pixels, width, height)) << w << "x" << h;
    EXPECT_TRUE(pixels.empty()) << w << "x" << h;
  }
}

TEST(DecodeJpegTest, SurvivesCorruptedBytes) {
  JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0;
  uint32_t height = 0;
  const auto jpeg = DesktopJpeg(96, 64);
  std::mt19937 random(20260610);
  for (int round = 0; round < 300; ++round) {
    auto broken = jpeg;
    for (int i = 0; i < 1 + round % 8; ++i) broken[random() % broken.size()] = static_cast<uint8_t>(random());
    if (DecodeJpeg(context, broken.data(), broken.size(), pixels, width, height)) {
      EXPECT_EQ(pixels.size(), size_t{width} * height * 4);
    }
  }
  // The context is still good afterwards.
  EXPECT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), pixels, width, height));
}

}  // namespace
}  // namespace zor
