// The thumbnail's picture: decoded small it looks as it did from the full picture, it is scaled
// once per picture rather than once per paint, and the view asks for no more than its size.
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "device/JpegDecoder.h"
#include "gui/pane/ThumbnailView.h"
#include "presentation/PaneGeometry.h"
#include "sim/SimScreen.h"
#include "support/Frames.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

class ThumbnailPictureTest : public test::WithQtApp, public ::testing::Test {
 protected:
  ThumbnailPictureTest() {
    host_.resize(400, 300);
    thumb_.ShowState(ConnectionState::Streaming);
  }

  QWidget host_;
  ThumbnailView thumb_{&host_, nullptr};
};

FramePtr Decoded(const std::vector<uint8_t>& jpeg, const PictureNeed& need) {
  JpegContext context;
  auto frame = std::make_shared<ScreenImage>();
  EXPECT_TRUE(DecodeJpeg(context, jpeg.data(), jpeg.size(), need, *frame));
  return frame;
}

// The thumbnail as the view drew it before pictures were decoded small: the full picture
// letterboxed into the view by the painter's smooth (bilinear) scaling on every paint.
QImage EarlierThumbnail(const ScreenImage& full, QSize view, const QColor& background) {
  QImage image(view, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.fillRect(image.rect(), background);
  const QImage picture(full.pixels.data(), static_cast<int>(full.width), static_cast<int>(full.height),
                       static_cast<qsizetype>(full.StrideBytes()), QImage::Format_RGB32);
  const PictureRect r = FitPicture(view.width(), view.height(), full.width, full.height);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(r.x, r.y, r.width, r.height), picture);
  return image;
}

// Per pixel, the largest of the B, G and R differences (0 to 255): the worst, the mean and the
// 90th percentile over the picture.
struct Difference {
  int worst = 0;
  double mean = 0;
  int p90 = 0;
};

Difference Compare(const QImage& a, const QImage& b) {
  std::vector<int> d;
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      d.push_back(std::max(
          {std::abs(p.red() - q.red()), std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())}));
      sum += d.back();
    }
  }
  std::sort(d.begin(), d.end());
  return {d.back(), sum / static_cast<double>(d.size()), d[d.size() * 9 / 10]};
}

// Tolerances, in levels of 255, of the thumbnail made from a picture decoded small:
// - against today's thumbnail, 12 levels (5 %) on 90 % of the pixels and 5 on average: flat
//   areas, gradients and large shapes look the same;
// - the other pixels lie on thin strokes (text, one-pixel borders), which today's bilinear
//   sampling of the full picture hits or misses by chance, up to some 120 levels off an exact
//   area average of the full picture. The small decode averages them instead: everywhere within
//   64 levels of that average (JPEG's block rounding at 1/4), and nearer to it than today's.
constexpr int kMostPixelsLevels = 12;
constexpr double kMeanLevels = 5;
constexpr int kStrokeLevels = 64;

class ThumbnailLookTest : public ThumbnailPictureTest, public ::testing::WithParamInterface<int> {};

TEST_P(ThumbnailLookTest, APictureDecodedSmallLooksAsTheFullOneDid) {
  SimScreen screen(1920, 1080);
  const std::vector<uint8_t> jpeg = *screen.Jpeg(GetParam());
  const FramePtr full = Decoded(jpeg, PictureNeed::FullSize());
  const FramePtr small = Decoded(jpeg, thumb_.Need());
  ASSERT_TRUE(small->Scaled());

  thumb_.SetFrame(small);
  const QImage now = thumb_.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage before = EarlierThumbnail(*full, thumb_.size(), now.pixelColor(0, 0));
  ASSERT_EQ(now.size(), before.size());
  const Difference from_before = Compare(now, before);
  EXPECT_LE(from_before.p90, kMostPixelsLevels);
  EXPECT_LE(from_before.mean, kMeanLevels);

  const QImage full_view(full->pixels.data(), static_cast<int>(full->width), static_cast<int>(full->height),
                         static_cast<qsizetype>(full->StrideBytes()), QImage::Format_RGB32);
  const QImage area_average = full_view.scaled(now.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const Difference now_off = Compare(now, area_average);
  const Difference before_off = Compare(before, area_average);
  EXPECT_LE(now_off.worst, kStrokeLevels);
  EXPECT_LE(now_off.worst, before_off.worst);
  EXPECT_LE(now_off.mean, before_off.mean);
}

// The software agent's snapshot and stream qualities.
INSTANTIATE_TEST_SUITE_P(Qualities, ThumbnailLookTest, ::testing::Values(60, 70));

TEST_F(ThumbnailPictureTest, ThePictureIsScaledOncePerFrameAndSizeNotPerPaint) {
  thumb_.SetFrame(test::MakeUniformFrame(1920, 1080, 10));
  for (int paint = 0; paint < 3; ++paint) thumb_.grab();
  EXPECT_EQ(thumb_.ScaledPictureCount(), 1u);
  thumb_.SetOverlayLines({QStringLiteral("running")});  // repaints, same picture
  thumb_.grab();
  EXPECT_EQ(thumb_.ScaledPictureCount(), 1u);
  thumb_.SetFrame(test::MakeUniformFrame(1920, 1080, 20));
  thumb_.grab();
  thumb_.grab();
  EXPECT_EQ(thumb_.ScaledPictureCount(), 2u);
  thumb_.resize(200, 112);
  thumb_.grab();
  EXPECT_EQ(thumb_.ScaledPictureCount(), 3u);
}

TEST_F(ThumbnailPictureTest, TheViewNeedsAPictureOfItsOwnSize) {
  EXPECT_EQ(thumb_.Need(), PictureNeed::FitInto(400, 225)) << "known before the view is first shown";
  host_.show();
  thumb_.resize(200, 112);
  EXPECT_EQ(thumb_.Need(), PictureNeed::FitInto(200, 112));
}

}  // namespace
}  // namespace zor
