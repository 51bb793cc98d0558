// JPEG decoding to BGRA: colours and sizes, buffer reuse, and data that is missing, foreign,
// truncated, corrupted or announces a huge picture.
#include <gtest/gtest.h>

#include <random>

#include "device/JpegDecoder.h"
#include "sim/SimScreen.h"

namespace zor {
namespace {

std::vector<uint8_t> DesktopJpeg(int32_t width, int32_t height, int quality = 80) {
  SimScreen screen(width, height);
  return *screen.Jpeg(quality);
}

// One decoder and its output, as a driver keeps them.
class DecodeJpegTest : public ::testing::Test {
 protected:
  bool Decode(const std::vector<uint8_t>& jpeg, size_t length) {
    return DecodeJpeg(context_, jpeg.data(), length, pixels_, width_, height_);
  }
  bool Decode(const std::vector<uint8_t>& jpeg) { return Decode(jpeg, jpeg.size()); }

  JpegContext context_;
  std::vector<uint8_t> pixels_;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
};

TEST_F(DecodeJpegTest, DecodesToBgraCloseToTheSource) {
  SimScreen screen(320, 200);
  std::vector<uint8_t> source;
  screen.Render(source);
  ASSERT_TRUE(Decode(*screen.Jpeg(95)));
  EXPECT_EQ(width_, 320u);
  EXPECT_EQ(height_, 200u);
  ASSERT_EQ(pixels_.size(), source.size());
  // B, G, R in the source's order (a swapped order would be off by far more), alpha opaque.
  double error = 0;
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    for (size_t c = 0; c < 3; ++c) error += std::abs(int(pixels_[i + c]) - int(source[i + c]));
    EXPECT_EQ(pixels_[i + 3], 255);
  }
  EXPECT_LT(error / (pixels_.size() / 4 * 3), 4.0);
}

TEST_F(DecodeJpegTest, ReusesTheBufferWhileTheSizeStaysAndResizesWhenItChanges) {
  const auto big = DesktopJpeg(640, 360);
  ASSERT_TRUE(Decode(big));
  const uint8_t* buffer = pixels_.data();
  ASSERT_TRUE(Decode(big));
  EXPECT_EQ(pixels_.data(), buffer);
  ASSERT_TRUE(Decode(DesktopJpeg(200, 100)));
  EXPECT_EQ(pixels_.size(), size_t{200} * 100 * 4);
  EXPECT_EQ(width_, 200u);
  EXPECT_EQ(height_, 100u);
}

TEST_F(DecodeJpegTest, RefusesMissingAndNonJpegData) {
  const std::vector<uint8_t> png_signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  const std::string text = R"({"action":"snapshot"})";
  EXPECT_FALSE(DecodeJpeg(context_, nullptr, 100, pixels_, width_, height_));
  EXPECT_FALSE(Decode(DesktopJpeg(64, 64), 0));
  EXPECT_FALSE(Decode(png_signature));
  EXPECT_FALSE(Decode(std::vector<uint8_t>(text.begin(), text.end())));
}

TEST_F(DecodeJpegTest, RefusesEveryTruncation) {
  const auto jpeg = DesktopJpeg(160, 120);
  // The last two bytes are the end-of-image marker, which decoders may forgive.
  for (size_t length = 1; length + 2 < jpeg.size(); length += 1 + length / 16) {
    EXPECT_FALSE(Decode(jpeg, length)) << "length " << length;
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

TEST_F(DecodeJpegTest, RefusesHugeAnnouncedSizesBeforeAllocating) {
  for (auto [w, h] : {std::pair<uint16_t, uint16_t>{65000, 65000}, {16385, 8}, {7681, 4321}, {8, 16385}}) {
    pixels_.clear();
    const auto jpeg = HeaderAnnouncing(w, h);
    ASSERT_FALSE(jpeg.empty());
    EXPECT_FALSE(Decode(jpeg)) << w << "x" << h;
    EXPECT_TRUE(pixels_.empty()) << w << "x" << h;
  }
}

TEST_F(DecodeJpegTest, SurvivesCorruptedBytes) {
  const auto jpeg = DesktopJpeg(96, 64);
  std::mt19937 random(20260610);
  for (int round = 0; round < 300; ++round) {
    auto broken = jpeg;
    for (int i = 0; i < 1 + round % 8; ++i) broken[random() % broken.size()] = static_cast<uint8_t>(random());
    if (Decode(broken)) {
      EXPECT_EQ(pixels_.size(), size_t{width_} * height_ * 4);
    }
  }
  EXPECT_TRUE(Decode(jpeg)) << "the context is still good afterwards";
}

}  // namespace
}  // namespace zor
