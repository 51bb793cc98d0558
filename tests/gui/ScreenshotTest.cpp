// The main window with four panes streaming from zorkvm-sim, rendered offscreen to a PNG (the
// picture the README shows). Checks what each pane shows against the frame it received, not
// pixels of fonts.
#include <QDir>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"
#include "gui/window/MainWindow.h"
#include "gui/window/PaneContainer.h"
#include "gui/window/WindowPicture.h"
#include "model/DeviceListFile.h"
#include "presentation/PaneGeometry.h"
#include "support/gui/QtTestSupport.h"
#include "support/SimProcess.h"

namespace zor {
namespace {

constexpr int kDemoPanes = 4;

// Mean colour of a region of an image.
QColor MeanColour(const QImage& image, const QRect& region) {
  int64_t r = 0, g = 0, b = 0, n = 0;
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      r += c.red();
      g += c.green();
      b += c.blue();
      ++n;
    }
  }
  return n == 0 ? QColor() : QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

QImage FrameImage(const ScreenImage& frame) {
  return QImage(frame.pixels.data(), static_cast<int>(frame.width), static_cast<int>(frame.height),
                static_cast<qsizetype>(frame.StrideBytes()), QImage::Format_RGB32)
      .copy();
}

int ColourDistance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

class ScreenshotLive : public test::WithQtApp, public ::testing::Test {
 protected:
  test::ProgramFolder folder_;
};

TEST_F(ScreenshotLive, FourStreamingPanesShowTheirPictures) {
  test::SimProcessOptions options;
  options.extra_args = {"--devices", std::to_string(kDemoPanes), "--size", "1280x720", "--fps", "10"};
  test::SimProcess sim(options);
  ASSERT_TRUE(sim.Ready());
  DeviceList devices;
  const char16_t* apps[kDemoPanes][2] = {{u"daily", u"report"}, {u"daily", nullptr}, {nullptr, nullptr}, {u"night", nullptr}};
  for (int i = 0; i < kDemoPanes; ++i) {
    auto d = std::make_unique<DeviceInfo>();
    d->ConnectIP = u"127.0.0.1";
    d->Port = sim.Ports().at(i);
    for (const char16_t* app : apps[i]) {
      if (app != nullptr) d->Apps.push_back(app);
    }
    devices.push_back(std::move(d));
  }
  ASSERT_TRUE(SaveDeviceList(AppConfig::Instance().BaseDir + kConfigFileName, devices));

  MainWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return AllPanesStreaming(window); }, 60000));
  // One more picture in every pane, so that none shows a half-settled first frame.
  const auto& panes = window.Clients()->Panes();
  ASSERT_EQ(panes.size(), static_cast<size_t>(kDemoPanes));
  std::vector<FramePtr> first;
  for (const DevicePane* pane : panes) first.push_back(pane->Thumb()->Picture());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        for (size_t i = 0; i < panes.size(); ++i) {
          if (panes[i]->Thumb()->Picture() == first[i]) return false;
        }
        return true;
      },
      60000));

  const QString dir = QStringLiteral(ZORKVM_TOOLS_DIR "/../screenshots");
  QDir().mkpath(dir);
  const QString png = dir + "/main-window.png";
  ASSERT_TRUE(SaveWindowPicture(window, png));
  const QImage shot(png);
  ASSERT_EQ(shot.size(), QSize(1920, 1080));

  for (int i = 0; i < kDemoPanes; ++i) {
    const ThumbnailView& thumb = *panes[i]->Thumb();
    EXPECT_EQ(thumb.ShownState(), ConnectionState::Streaming) << i;
    const FramePtr frame = thumb.Picture();
    ASSERT_TRUE(frame) << i;
    // The thumbnail fills its tile's picture area (16:9 in 16:9) and shows the frame's colours.
    const QRect area(thumb.mapTo(&window, QPoint(0, 0)), thumb.size());
    EXPECT_EQ(area.topLeft(), QPoint(10 + i * 410, 40 + 10 + kTitleBarHeight)) << i;
    const QColor shown = MeanColour(shot, area.adjusted(2, 2, -2, -2));
    const QColor sent = MeanColour(FrameImage(*frame), QRect(0, 0, static_cast<int>(frame->width), static_cast<int>(frame->height)));
    EXPECT_LT(ColourDistance(shown, sent), 30) << i << " shows " << shown.name().toStdString() << " for "
                                                << sent.name().toStdString();
    // Not a state panel: the "Connecting" green, nor the empty picture's blue.
    EXPECT_GT(ColourDistance(shot.pixelColor(area.center()), QColor(0, 77, 0)), 0) << i;
    // The connect button shows its second (red) state, the scene editor button is enabled.
    EXPECT_EQ(panes[i]->Button(kButtonConnect)->State(), 1) << i;
    EXPECT_TRUE(panes[i]->Button(kButtonEditor)->IsButtonEnabled()) << i;
  }
}

}  // namespace
}  // namespace zor
