// The icon buttons, the title bar and the thumbnail, driven with real mouse events offscreen.
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

#include "app/AppConfig.h"
#include "shell/ui/ClientTitle.h"
#include "shell/ui/ThumbWnd.h"
#include "shell/ui/ZorBT.h"
#include "shell/ui/ZorButton01.h"
#include "shell/ui/ZorTop.h"
#include "support/ui/QtTestSupport.h"

namespace zor {
namespace {

// Receives the widgets' commands as the main window or a pane would.
struct CommandLog : ICommandTarget {
  struct Entry {
    int id, code;
    intptr_t arg;
  };
  std::vector<Entry> entries;
  void OnCommand(int id, int code, intptr_t arg) override { entries.push_back({id, code, arg}); }
};

class WidgetsTest : public test::WithQtApp, public ::testing::Test {
 protected:
  QWidget host_;
  CommandLog log_;
};

QColor PixelAt(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

TEST_F(WidgetsTest, DisabledZorBTShowsTheDisabledLookAndSendsNothing) {
  ZorBT button(&host_, 0, 0, 1202, glyph::kPause);
  button.SetTarget(&log_);
  button.SetButtonEnabled(false);
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseDClick(&button, Qt::LeftButton);
  EXPECT_TRUE(log_.entries.empty());
  EXPECT_EQ(button.ShownTextColor(), QColor(100, 100, 100));
  EXPECT_EQ(PixelAt(button, 1, 1), QColor(60, 60, 60));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(button.IsHovering());
  EXPECT_EQ(button.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WidgetsTest, ZorBTStatesShowTheirGlyphAndColours) {
  ZorBT button(&host_, 0, 0, 1203, glyph::kConnect);
  button.AddState(glyph::kDisconnect);
  button.SetTarget(&log_);
  EXPECT_EQ(button.ShownText(), IconText(glyph::kConnect));
  EXPECT_EQ(button.ShownTextColor(), QColor(200, 200, 200));
  button.SetState(1);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  EXPECT_EQ(button.ShownText(), IconText(glyph::kDisconnect));
  EXPECT_EQ(button.ShownTextColor(), QColor(255, 0, 0));
  EXPECT_EQ(PixelAt(button, 1, 1), QColor(80, 80, 80));
  EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button, &leave);
  EXPECT_EQ(button.ShownTextColor(), QColor(200, 0, 0));
  // A state past the last draws the last one and is kept as that.
  button.SetState(5);
  button.grab();
  EXPECT_EQ(button.State(), 1);
  EXPECT_EQ(button.ShownText(), IconText(glyph::kDisconnect));
}

TEST_F(WidgetsTest, ClicksAndDoubleClicksSendTheirNotificationCodes) {
  ZorButton01 tool(&host_, 0, 1101, glyph::kAddDevice);
  tool.SetTarget(&log_);
  QTest::mouseClick(&tool, Qt::LeftButton);
  ASSERT_EQ(log_.entries.size(), 1u);
  EXPECT_EQ(log_.entries[0].id, 1101);
  EXPECT_EQ(log_.entries[0].code, kNotifyClick);
  log_.entries.clear();
  QTest::mouseDClick(&tool, Qt::LeftButton);
  ASSERT_FALSE(log_.entries.empty());
  EXPECT_EQ(log_.entries.back().code, kNotifyDoubleClick);
  EXPECT_EQ(tool.geometry(), QRect(0, 2, 36, 36));
}

TEST_F(WidgetsTest, TopFrameHasLogoAndGreyBar) {
  ZorTop top(&host_, &log_);
  top.resize(1000, 40);
  top.PlaceButtons(1000);
  EXPECT_TRUE(top.HasLogo());
  const QImage image = top.grab().toImage();
  EXPECT_EQ(image.pixelColor(200, 20), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(200, 39), QColor(100, 100, 100));
  EXPECT_NE(image.pixelColor(20, 15), QColor(128, 128, 128));  // the logo's badge
  QTest::mouseClick(top.Button(1103), Qt::LeftButton);
  ASSERT_EQ(log_.entries.size(), 1u);
  EXPECT_EQ(log_.entries[0].id, 1103);
}

TEST_F(WidgetsTest, IconsAndKoreanTextsHaveGlyphsInTheMappedFonts) {
  EXPECT_EQ(QFontInfo(IconFont()).family(), kIconFamily);
  EXPECT_EQ(QFontInfo(UiFont()).family(), kTextFamily);
  const QFontMetrics icons(IconFont());
  for (char16_t g : {glyph::kAppManager, glyph::kAddDevice, glyph::kSettings, glyph::kWeb, glyph::kStartAutomation,
                     glyph::kStopAutomation, glyph::kPause, glyph::kResume, glyph::kConnect, glyph::kDisconnect,
                     glyph::kDelete, glyph::kSceneEditor, glyph::kEdit, char16_t{0x1234}}) {
    const QString text = IconText(g);
    EXPECT_TRUE(icons.inFont(text.at(0))) << std::hex << static_cast<int>(g);
  }
  const QFontMetrics ui(UiFont());
  for (QChar c : QStringLiteral("프로그램을 종료하시겠습니까?삭제확인알림취소")) EXPECT_TRUE(ui.inFont(c)) << static_cast<int>(c.unicode());
}

TEST_F(WidgetsTest, TitleBarTabsSendTheirIndex) {
  host_.resize(400, 300);
  DeviceInfo device;
  device.Apps = {u"메일", u"b", u"c"};
  ClientTitle title(&host_, &device, &log_);
  EXPECT_EQ(title.geometry(), QRect(0, 0, 400, 36));
  QTest::mouseClick(&title, Qt::LeftButton, {}, QPoint(399, 10));  // 3 x 133 = 399: no tab
  EXPECT_TRUE(log_.entries.empty());
  QTest::mouseClick(&title, Qt::LeftButton, {}, QPoint(140, 10));
  ASSERT_EQ(log_.entries.size(), 1u);
  EXPECT_EQ(log_.entries[0].id, 10001);
  EXPECT_EQ(PixelAt(title, 50, 2), QColor(80, 80, 80));
  EXPECT_EQ(PixelAt(title, 133, 2), QColor(0, 0, 0));  // the line left of the second tab
  device.Apps.clear();
  EXPECT_EQ(PixelAt(title, 5, 2), QColor(60, 60, 60));  // "No AppFiles"
}

std::shared_ptr<ScreenImage> SolidFrame(uint32_t w, uint32_t h, QColor c) {
  auto frame = std::make_shared<ScreenImage>();
  frame->width = w;
  frame->height = h;
  frame->pixels.resize(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < frame->pixels.size(); i += 4) {
    frame->pixels[i] = static_cast<uint8_t>(c.blue());
    frame->pixels[i + 1] = static_cast<uint8_t>(c.green());
    frame->pixels[i + 2] = static_cast<uint8_t>(c.red());
    frame->pixels[i + 3] = 255;
  }
  return frame;
}

TEST_F(WidgetsTest, ThumbnailLetterboxesThePictureAndShowsStatePanels) {
  host_.resize(400, 300);
  CommandLog pane;
  ThumbWnd thumb(&host_, &pane);
  EXPECT_EQ(thumb.geometry(), QRect(0, 36, 400, 225));
  struct {
    ClientState state;
    QColor background;
  } const panels[] = {{ClientState::Offline, QColor(51, 51, 51)},
                      {ClientState::Stop, QColor(0, 0, 204)},
                      {ClientState::Error, QColor(204, 0, 0)},
                      {ClientState::Connecting, QColor(0, 77, 0)},
                      {static_cast<ClientState>(9), QColor(0, 77, 0)}};
  for (const auto& p : panels) {
    thumb.ShowState(p.state);
    EXPECT_EQ(PixelAt(thumb, 2, 2), p.background) << static_cast<int>(p.state);
    EXPECT_EQ(thumb.cursor().shape(), Qt::PointingHandCursor);
  }
  thumb.ShowState(ClientState::Streaming);
  thumb.SetFrame(SolidFrame(1024, 768, Qt::red));  // drawn 300 x 225 at x = 50
  const QImage image = thumb.grab().toImage();
  EXPECT_EQ(image.pixelColor(20, 100), QColor(0, 77, 204));
  EXPECT_EQ(image.pixelColor(200, 100), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(380, 100), QColor(0, 77, 204));
  EXPECT_EQ(thumb.cursor().shape(), Qt::ArrowCursor);
  thumb.SetFullControl(true);
  EXPECT_EQ(thumb.cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseDClick(&thumb, Qt::LeftButton);
  ASSERT_FALSE(pane.entries.empty());
  EXPECT_EQ(pane.entries.back().id, kThumbnailCommand);
  EXPECT_EQ(pane.entries.back().code, kNotifyDoubleClick);
}

TEST_F(WidgetsTest, OverlayLinesStackUpwardFromTheBottom) {
  host_.resize(400, 300);
  ThumbWnd thumb(&host_, nullptr);
  thumb.ShowState(ClientState::Offline);
  thumb.SetOverlayLines({QStringLiteral("██████"), QStringLiteral("██████")});
  const QImage image = thumb.grab().toImage();
  auto red_in_rows = [&](int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
      for (int x = 5; x < 60; ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 60) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(red_in_rows(225 - 28, 225));       // first line: top at bottom - 28
  EXPECT_TRUE(red_in_rows(225 - 56, 225 - 28));  // second line: top at bottom - 56
  EXPECT_FALSE(red_in_rows(0, 225 - 60));
}

}  // namespace
}  // namespace zor
