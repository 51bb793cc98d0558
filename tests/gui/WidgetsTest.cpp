// The icon buttons, the title bar and the thumbnail, driven with real mouse events offscreen.
// Looks are compared with each other (hovered against not, one state against another), never
// with the theme's colour values.
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

#include "gui/pane/PaneTitleBar.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/StateIconButton.h"
#include "gui/widgets/ToolBarButton.h"
#include "gui/window/TopBar.h"
#include "model/AppConfig.h"
#include "support/Frames.h"
#include "support/gui/QtTestSupport.h"

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

QImage Look(QWidget& w) { return w.grab().toImage(); }

void Hover(QWidget& w, bool inside) {
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&w, inside ? static_cast<QEvent*>(&enter) : &leave);
}

TEST_F(WidgetsTest, DisabledStateButtonLooksDifferentAndSendsNothing) {
  StateIconButton button(&host_, 0, 0, 1202, glyph::kPause, "Pause");
  button.SetTarget(&log_);
  const QImage enabled = Look(button);
  button.SetButtonEnabled(false);
  EXPECT_NE(Look(button), enabled);
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseDClick(&button, Qt::LeftButton);
  EXPECT_TRUE(log_.entries.empty());
  Hover(button, true);
  EXPECT_TRUE(button.IsHovering());
  EXPECT_EQ(button.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WidgetsTest, StateButtonStatesShowTheirGlyphAndHovering) {
  StateIconButton button(&host_, 0, 0, 1203, glyph::kConnect, "Connect");
  button.AddState(glyph::kDisconnect, "Disconnect");
  button.SetTarget(&log_);
  EXPECT_EQ(button.ShownText(), IconText(glyph::kConnect));
  button.SetState(1);
  EXPECT_EQ(button.ShownText(), IconText(glyph::kDisconnect));
  const QImage resting = Look(button);
  Hover(button, true);
  EXPECT_NE(Look(button), resting);
  EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
  Hover(button, false);
  EXPECT_EQ(Look(button), resting);
  // A state past the last draws the last one and is kept as that.
  button.SetState(5);
  button.grab();
  EXPECT_EQ(button.State(), 1);
  EXPECT_EQ(button.ShownText(), IconText(glyph::kDisconnect));
}

TEST_F(WidgetsTest, ClicksAndDoubleClicksSendTheirNotificationCodes) {
  ToolBarButton tool(&host_, 0, 1101, glyph::kAddDevice, "Add a device");
  tool.SetTarget(&log_);
  QTest::mouseClick(&tool, Qt::LeftButton);
  ASSERT_EQ(log_.entries.size(), 1u);
  EXPECT_EQ(log_.entries[0].id, 1101);
  EXPECT_EQ(log_.entries[0].code, kNotifyClick);
  log_.entries.clear();
  QTest::mouseDClick(&tool, Qt::LeftButton);
  ASSERT_FALSE(log_.entries.empty());
  EXPECT_EQ(log_.entries.back().code, kNotifyDoubleClick);
}

TEST_F(WidgetsTest, TopFrameHasItsLogoAndItsButtonsSendTheirCommands) {
  TopBar top(&host_, &log_);
  top.resize(1000, 40);
  top.PlaceButtons(1000);
  EXPECT_TRUE(top.HasLogo());
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
  PaneTitleBar title(&host_, &device, &log_);
  QTest::mouseClick(&title, Qt::LeftButton, {}, QPoint(399, 10));  // 3 x 133 = 399: no tab
  EXPECT_TRUE(log_.entries.empty());
  QTest::mouseClick(&title, Qt::LeftButton, {}, QPoint(140, 10));
  ASSERT_EQ(log_.entries.size(), 1u);
  EXPECT_EQ(log_.entries[0].id, 10001);
}

TEST_F(WidgetsTest, ThumbnailShowsStatePanelsAndLetterboxesThePicture) {
  host_.resize(400, 300);
  CommandLog pane;
  ThumbnailView thumb(&host_, &pane);
  EXPECT_EQ(thumb.geometry(), QRect(0, 36, 400, 225));
  std::set<QRgb> panels;
  for (ConnectionState state : {ConnectionState::Offline, ConnectionState::Stop, ConnectionState::Error, ConnectionState::Connecting}) {
    thumb.ShowState(state);
    panels.insert(Look(thumb).pixel(2, 2));
    EXPECT_EQ(thumb.cursor().shape(), Qt::PointingHandCursor);
  }
  EXPECT_EQ(panels.size(), 4u) << "each state has a panel of its own";
  thumb.ShowState(static_cast<ConnectionState>(9));  // out of range: drawn as some panel, no fault
  EXPECT_EQ(panels.count(Look(thumb).pixel(2, 2)), 1u);
  thumb.ShowState(ConnectionState::Streaming);
  thumb.SetFrame(test::MakeUniformFrame(1024, 768, 222));  // drawn 300 x 225 at x = 50
  const QImage image = Look(thumb);
  EXPECT_EQ(image.pixelColor(200, 100), QColor(222, 222, 222));
  EXPECT_EQ(image.pixel(20, 100), image.pixel(380, 100)) << "the same bars on both sides";
  EXPECT_NE(image.pixelColor(20, 100), QColor(222, 222, 222));
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
  ThumbnailView thumb(&host_, nullptr);
  thumb.ShowState(ConnectionState::Offline);
  thumb.SetOverlayLines({QStringLiteral("██████"), QStringLiteral("██████")});
  const QImage image = Look(thumb);
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
