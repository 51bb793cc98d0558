// The status strip over a pane's thumbnail: while the pane's Apps run on the simulated desktop
// it names the App, Scene and Item with the score, drawn over the picture's bottom band; with
// the automation off no timer runs and no strip shows. A change of the strip repaints its band
// only.
#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"
#include "sim/SimScreen.h"
#include "support/gui/QtTestSupport.h"
#include "support/Wait.h"

namespace zor {
namespace {

constexpr int32_t kScreenWidth = 960;
constexpr int32_t kScreenHeight = 540;

// The simulated desktop as a frame, and an Item cut from it at its OK button.
struct Desktop {
  Desktop() {
    SimScreen screen(kScreenWidth, kScreenHeight);
    const SimRect& b = screen.Layout().ok_button;
    auto image = std::make_shared<ScreenImage>();
    image->width = kScreenWidth;
    image->height = kScreenHeight;
    screen.Render(image->pixels);
    button->Name = u"OK";
    button->Template.Width = b.w;
    button->Template.Height = b.h;
    for (int32_t y = b.y; y < b.y + b.h; ++y) {
      const auto row = image->pixels.begin() + (static_cast<ptrdiff_t>(y) * kScreenWidth + b.x) * 4;
      button->Template.Pixels.insert(button->Template.Pixels.end(), row, row + static_cast<ptrdiff_t>(b.w) * 4);
    }
    frame = image;
  }
  FramePtr frame;
  std::shared_ptr<Item> button = std::make_shared<Item>();
};

class StatusStripTest : public test::WithQtApp, public ::testing::Test {
 protected:
  StatusStripTest() {
    SceneData scene;
    scene.Name = u"Login";
    scene.Items = {desktop_.button};
    EXPECT_TRUE(scene.Save(u"Login" + std::u16string(kSceneExtension)));
    AppInfo app;
    app.Name = u"Shop";
    app.Scenes = {u"Login"};
    EXPECT_TRUE(app.Save());
    device_.Type = 7;  // no driver: the test hands the frames over
    device_.Apps = {u"Shop"};
    device_.ScreenWidth = kScreenWidth;  // else the watchdog holds the Apps for the screen's size
    device_.ScreenHeight = kScreenHeight;
  }

  // Processes events until `done`, handing the pane the desktop meanwhile as a device would.
  bool ProcessUntil(const std::function<bool()>& done) {
    return test::WaitUntil([&] {
      pane_->Session()->OnFrame(desktop_.frame);
      QApplication::processEvents();
      return done();
    });
  }

  test::TemporarySettings settings_;  // the watchdog's and the unattended start's defaults
  test::ProgramFolder folder_;
  Desktop desktop_;
  DeviceInfo device_;
  std::unique_ptr<DevicePane> pane_;
};

TEST_F(StatusStripTest, ARunningPaneShowsItsAppSceneItemAndScoreAndStopsWithTheRun) {
  pane_ = std::make_unique<DevicePane>(nullptr, device_, 0, nullptr);
  pane_->show();
  ThumbnailView& thumb = *pane_->Thumb();
  ASSERT_TRUE(ProcessUntil([&] { return thumb.ShownState() == ConnectionState::Streaming; }));
  EXPECT_FALSE(pane_->StatusStripRunning()) << "no timer while the automation is off";
  EXPECT_TRUE(thumb.StatusStrip().empty());
  const QImage without_strip = thumb.grab().toImage();

  QTest::mouseClick(pane_->Button(kButtonAutomation), Qt::LeftButton);
  EXPECT_TRUE(pane_->StatusStripRunning());
  // Until the first Item was evaluated, the line names the App and Scene only.
  ASSERT_TRUE(ProcessUntil([&] {
    const std::vector<StripLine>& lines = thumb.StatusStrip();
    return !lines.empty() && lines[0].names.ends_with(u"OK");
  }));
  const StripLine line = thumb.StatusStrip()[0];
  EXPECT_EQ(line.names, u"Shop › Login › OK");
  EXPECT_TRUE(line.details.starts_with(u"1.00 / 0.95")) << QString::fromStdU16String(line.details).toStdString();
  EXPECT_EQ(line.state, AppRunState::kRunning);
  // The figures speak the program's language: the rate ends as its translated text does.
  const std::u16string rate_format = FromQString(QCoreApplication::translate("StatusStrip", "%1 steps/s"));
  ASSERT_NE(rate_format, u"%1 steps/s");
  EXPECT_TRUE(line.details.ends_with(rate_format.substr(rate_format.find(u"%1") + 2)));

  // Drawn over the picture's bottom band, and nowhere else.
  const QImage with_strip = thumb.grab().toImage();
  const QRect band = thumb.StatusStripRect();
  ASSERT_FALSE(band.isEmpty());
  EXPECT_NE(with_strip.copy(band), without_strip.copy(band));
  const QRect above(0, 0, thumb.width(), band.top());
  EXPECT_EQ(with_strip.copy(above), without_strip.copy(above));

  QTest::mouseClick(pane_->Button(kButtonAutomation), Qt::LeftButton);
  EXPECT_FALSE(pane_->StatusStripRunning()) << "the timer stops with the run";
  EXPECT_TRUE(thumb.StatusStrip().empty());
}

// Collects the rectangles of the paint events a widget gets.
class PaintRects : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
  std::vector<QRect> rects;
};

TEST_F(StatusStripTest, ANewLineRepaintsTheStripsBandOnly) {
  QWidget host;
  host.resize(400, 300);
  ThumbnailView thumb(&host, nullptr);
  PaintRects paints;
  thumb.installEventFilter(&paints);
  thumb.SetStatusStrip({{AppRunState::kRunning, u"Shop › Login › OK", u"0.91 / 0.95"}});
  host.show();
  ASSERT_TRUE(test::WaitUntil([&] {
    QApplication::processEvents();
    return !paints.rects.empty();
  })) << "the first paint of the whole view";
  paints.rects.clear();

  thumb.SetStatusStrip({{AppRunState::kWaitingForMatch, u"Shop › Login › OK", u"0.62 / 0.95"}});
  ASSERT_TRUE(test::WaitUntil([&] {
    QApplication::processEvents();
    return !paints.rects.empty();
  }));
  for (const QRect& r : paints.rects) EXPECT_TRUE(thumb.StatusStripRect().contains(r)) << r.y() << " " << r.height();
}

}  // namespace
}  // namespace zor
