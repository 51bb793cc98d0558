// The item list: rows, selection by click, scrolling; and its geometry and texts.
#include <QWheelEvent>

#include "EditorFixture.h"
#include "presentation/ItemListLayout.h"

namespace zor::test {
namespace {

TEST(ItemListLayout, RowsGapsAndScrollRange) {
  EXPECT_EQ(ItemListScrollMax(10), 693);
  EXPECT_EQ(ItemListScrollMax(0), 3);
  struct Hit {
    int y, scroll, row;
  };
  for (const Hit h : {Hit{3, 0, 0}, Hit{69, 0, 0}, Hit{70, 0, -1}, Hit{71, 0, -1}, Hit{72, 0, 1}, Hit{2, 0, -1},
                      Hit{1, 69, -1}, Hit{3, 69, 1}, Hit{690, 0, 9}, Hit{691, 0, -1}, Hit{624, 0, 9}}) {
    EXPECT_EQ(ItemRowAt(h.y, h.scroll, 10), h.row) << h.y << " at " << h.scroll;
  }
  EXPECT_EQ(ClampItemListScroll(-5, 10, 300), 0);
  EXPECT_EQ(ClampItemListScroll(1000, 10, 300), 393);
  EXPECT_EQ(ClampItemListScroll(50, 2, 300), 0) << "everything fits: no scrolling";
}

TEST(ItemListLayout, ThumbnailsAreCentredAndClipped) {
  struct Case {
    int w, h;
    ThumbPlacement place;
  };
  for (const Case c : {Case{10, 20, {27, 22, 0, 0, 10, 20}}, Case{64, 64, {0, 0, 0, 0, 64, 64}},
                       Case{100, 30, {0, 17, 18, 0, 64, 30}}, Case{0, 5, {}}}) {
    const ThumbPlacement p = PlaceThumbnail(c.w, c.h);
    EXPECT_EQ((std::array{p.dest_x, p.dest_y, p.src_x, p.src_y, p.width, p.height}),
              (std::array{c.place.dest_x, c.place.dest_y, c.place.src_x, c.place.src_y, c.place.width, c.place.height}))
        << c.w << "x" << c.h;
  }
}

TEST(ItemListLayout, RowTexts) {
  Item item;
  item.Name = u"OK버튼";
  item.CaptureLeft = 10;
  item.CaptureTop = -2;
  item.CaptureWidth = 30;
  item.CaptureHeight = 40;
  const std::u16string inactive_format = FromQString(QString::fromLatin1(kInactiveRowFormat));
  const std::u16string size_format = FromQString(QString::fromLatin1(kRowSizeFormat));
  EXPECT_EQ(ItemRowName(item, inactive_format), u"OK버튼");
  item.Active = false;
  EXPECT_EQ(ItemRowName(item, inactive_format), u"OK버튼 inactive");
  EXPECT_EQ(ItemRowRectangle(item), u"( 10, -2 ) - ( 40, 38 )");
  EXPECT_EQ(ItemRowSize(item, size_format), u"width : 30 px ,  height : 40 px");
  // A translation may reorder the values.
  EXPECT_EQ(ItemRowName(item, u"(비활성) %1"), u"(비활성) OK버튼");
  EXPECT_EQ(ItemRowSize(item, u"%2 x %1"), u"40 x 30");
  item.Name = u"50%2";  // a name is shown as it is
  EXPECT_EQ(ItemRowName(item, inactive_format), u"50%2 inactive");
}

class ItemListTest : public EditorFixture {
 protected:
  SceneItemListView& List() { return *Tool().List(); }

  void AddItems(int count) {
    for (int i = 0; i < count; ++i) {
      DrawItem(5 + (i % 5) * 30, 5 + (i / 5) * 30, 25 + (i % 5) * 30, 25 + (i / 5) * 30);
      DeliverFrame(frame_);
    }
    Model().RebuildMarkers();
    Tool().Refresh();
  }

  void Wheel(int delta) {
    const QPointF at(50, 50);
    QWheelEvent wheel(at, List().viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(List().viewport(), &wheel);
  }
};

TEST_F(ItemListTest, TenItemsGiveTheirScrollRangeAndTheWheelStaysInside) {
  AddItems(10);
  List().repaint();
  EXPECT_EQ(List().ScrollMaximum(), 693);
  const int page = List().PageHeight();
  ASSERT_GT(page, 0);
  Wheel(-120);
  EXPECT_EQ(List().ScrollPosition(), 20);
  Wheel(-1);
  EXPECT_EQ(List().ScrollPosition(), 40) << "one step per message, whatever its size";
  Wheel(120);
  Wheel(120);
  Wheel(120);
  EXPECT_EQ(List().ScrollPosition(), 0);
  for (int i = 0; i < 60; ++i) Wheel(-120);
  EXPECT_EQ(List().ScrollPosition(), std::max(0, 693 - page));
}

TEST_F(ItemListTest, AClickSelectsTheRowsItemButNotInAGap) {
  AddItems(3);
  ClickList(40, 71);  // the gap between rows 0 and 1
  EXPECT_EQ(Model().CurrentMarker(), -1);
  ClickList(1, 40);  // the margin left of the rows
  EXPECT_EQ(Model().CurrentMarker(), -1);
  ClickItemRow(1);
  EXPECT_EQ(Model().CurrentMarker(), 1);
  EXPECT_TRUE(Model().Markers()[1].Selected);
  EXPECT_EQ(Form().CurrentItem(), Model().Scene().Items[1]);
  ClickItemRow(0);  // the selection moves
  EXPECT_EQ(Model().CurrentMarker(), 0);
  EXPECT_FALSE(Model().Markers()[1].Selected);
}

TEST_F(ItemListTest, AThumbnailShowsTheTemplatesCentre) {
  DrawItem(10, 10, 110, 100);  // 100 x 90: only its centre 64 x 64 shows
  DeliverFrame(frame_);
  Tool().Refresh();
  const QImage shot = List().viewport()->grab().toImage();
  // Row 0's inner square starts at (4, 4) and shows template pixel (18, 13), frame pixel (28, 23).
  EXPECT_EQ(shot.pixelColor(4, 4), QColor((28 + 23) & 255, 23, 28));
  EXPECT_EQ(shot.pixelColor(4 + 63, 4 + 63), QColor((28 + 63 + 23 + 63) & 255, 23 + 63, 28 + 63));
}

}  // namespace
}  // namespace zor::test
