// The status strip over a pane's thumbnail: while the pane's Apps run on the simulated desktop
// (their clicks going to a recording driver) it names the App, Scene and Item with the score and
// the last action, drawn over the picture's bottom band; with the automation off no timer runs
// and no strip shows. A change of the strip repaints its band only.
#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"
#include "support/PointedDesktop.h"
#include "support/gui/QtTestSupport.h"
#include "support/gui/RecordedPane.h"
#include "support/Wait.h"

namespace zor {
namespace {

constexpr int32_t kScreenWidth = 960;
constexpr int32_t kScreenHeight = 540;

// The simulated desktop as a frame, and an Item cut from it at its OK button that clicks it.
struct Desktop {
  Desktop() {
    const test::PointedDesktop desktop = test::RenderPointedDesktop(kScreenWidth, kScreenHeight);
    const SimRect& b = desktop.button;
    auto image = std::make_shared<ScreenImage>();
    image->width = kScreenWidth;
    image->height = kScreenHeight;
    image->pixels = desktop.idle;
    button->Name = u"OK";
    button->Script = u"action CLK";
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

// A device whose App "Shop" runs the Scene "Login" of `item`, saved in the program folder.
DeviceInfo ShopDevice(const std::shared_ptr<Item>& item) {
  SceneData scene;
  scene.Name = u"Login";
  scene.Items = {item};
  EXPECT_TRUE(scene.Save(u"Login" + std::u16string(kSceneExtension)));
  AppInfo app;
  app.Name = u"Shop";
  app.Scenes = {u"Login"};
  EXPECT_TRUE(app.Save());
  // The screen's size, else the watchdog holds the Apps for it.
  DeviceInfo device = test::RecordedDevice(kScreenWidth, kScreenHeight);
  device.Apps = {u"Shop"};
  return device;
}

// `format` (a translated text) with its "%1" as `first` and the rest after "%2": what a line
// holds of it whatever the number.
std::pair<std::u16string, std::u16string> AroundNumber(const QString& format, const std::u16string& first) {
  const std::u16string text = FromQString(format);
  const size_t number = text.find(u"%2");
  std::u16string before = text.substr(0, number);
  before.replace(before.find(u"%1"), 2, first);
  return {before, text.substr(number + 2)};
}

class StatusStripTest : public test::WithQtApp, public ::testing::Test {
 protected:
  // Processes events until `done`, handing the pane the desktop meanwhile as a device would.
  bool ProcessUntil(const std::function<bool()>& done) {
    return test::WaitUntil([&] {
      pane_.Session()->OnFrame(desktop_.frame);
      QApplication::processEvents();
      return done();
    });
  }

  test::TemporarySettings settings_;  // the watchdog's and the unattended start's defaults
  test::ProgramFolder folder_;
  Desktop desktop_;
  test::RecordedPane recorded_{ShopDevice(desktop_.button)};
  DevicePane& pane_ = recorded_.Pane();
};

TEST_F(StatusStripTest, ARunningPaneShowsItsAppSceneItemAndScoreAndStopsWithTheRun) {
  recorded_.Host().show();
  ThumbnailView& thumb = *pane_.Thumb();
  ASSERT_TRUE(ProcessUntil([&] { return thumb.ShownState() == ConnectionState::Streaming; }));
  EXPECT_FALSE(pane_.StatusStripRunning()) << "no timer while the automation is off";
  EXPECT_TRUE(thumb.StatusStrip().empty());
  const QImage without_strip = thumb.grab().toImage();

  QTest::mouseClick(pane_.Button(kButtonAutomation), Qt::LeftButton);
  EXPECT_TRUE(pane_.StatusStripRunning());
  // Until the first Item was evaluated and clicked, the line names the App and Scene only.
  ASSERT_TRUE(ProcessUntil([&] {
    const std::vector<StripLine>& lines = thumb.StatusStrip();
    return !lines.empty() && lines[0].names.ends_with(u"OK") && lines[0].details.find(u"CLK") != std::u16string::npos;
  }));
  const StripLine line = thumb.StatusStrip()[0];
  EXPECT_EQ(line.names, u"Shop › Login › OK");
  EXPECT_TRUE(line.details.starts_with(u"1.00 / 0.95")) << QString::fromStdU16String(line.details).toStdString();
  EXPECT_EQ(line.state, AppRunState::kRunning);
  EXPECT_TRUE(recorded_.Driver().WaitForCalls(1)) << "the click went to the device";
  // The figures speak the program's language.
  const auto [clicked, ago] = AroundNumber(QCoreApplication::translate("StatusStrip", "%1 %2 s ago"), u"CLK");
  ASSERT_NE(ago, u" s ago");
  EXPECT_NE(line.details.find(clicked), std::u16string::npos);
  EXPECT_NE(line.details.find(ago), std::u16string::npos);

  // Drawn over the picture's bottom band, and nowhere else.
  const QImage with_strip = thumb.grab().toImage();
  const QRect band = thumb.StatusStripRect();
  ASSERT_FALSE(band.isEmpty());
  EXPECT_NE(with_strip.copy(band), without_strip.copy(band));
  const QRect above(0, 0, thumb.width(), band.top());
  EXPECT_EQ(with_strip.copy(above), without_strip.copy(above));

  QTest::mouseClick(pane_.Button(kButtonAutomation), Qt::LeftButton);
  EXPECT_FALSE(pane_.StatusStripRunning()) << "the timer stops with the run";
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

TEST(StatusStripPaint, ANewLineRepaintsTheStripsBandOnly) {
  test::WithQtApp app;
  QWidget host;
  host.resize(400, 300);
  ThumbnailView thumb(&host, nullptr);
  PaintRects paints;
  thumb.installEventFilter(&paints);
  thumb.SetStatusStrip({{AppRunState::kRunning, u"Shop › Login › OK", u"0.91 / 0.95"}});
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
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
