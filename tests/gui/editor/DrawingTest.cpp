// Drawing Items on the view: add mode, template capture from the next frame, click offset and
// work area gestures.
#include <cstring>

#include "EditorFixture.h"
#include "gui/widgets/StateIconButton.h"

namespace zor::test {
namespace {

using DrawingTest = EditorFixture;

// The frame's pixels of a rectangle, row by row.
std::vector<uint8_t> Crop(const ScreenImage& frame, int left, int top, int width, int height) {
  std::vector<uint8_t> bytes;
  for (int y = top; y < top + height; ++y) {
    const uint8_t* row = &frame.pixels[(static_cast<size_t>(y) * frame.width + left) * 4];
    bytes.insert(bytes.end(), row, row + static_cast<size_t>(width) * 4);
  }
  return bytes;
}

TEST_F(DrawingTest, AClickInAddModeLeavesTheSceneUnchanged) {
  Click(kAddItemCommand);
  EXPECT_EQ(Tool().Button(kAddItemCommand)->State(), 1);
  Press(40, 40);
  Release(40, 40);
  EXPECT_TRUE(Model().Scene().Items.empty());
  EXPECT_TRUE(Model().Markers().empty());
  EXPECT_EQ(Model().CurrentMarker(), -1);
  EXPECT_EQ(Tool().Button(kAddItemCommand)->State(), 0);
  EXPECT_FALSE(Model().AddMode());
  DeliverFrame(frame_);  // only resynchronises
  EXPECT_TRUE(Model().Scene().Items.empty());
}

TEST_F(DrawingTest, AFiveByFiveDragCreatesAnItemWhoseTemplateIsTakenFromTheNextFrame) {
  DrawItem(20, 30, 25, 35);
  ASSERT_EQ(Model().Scene().Items.size(), 1u);
  const Item& item = *Model().Scene().Items[0];
  EXPECT_EQ(item.Name, u"ITEM1");
  EXPECT_EQ(item.Index, 0);
  EXPECT_EQ((std::array{item.CaptureLeft, item.CaptureTop, item.CaptureWidth, item.CaptureHeight}),
            (std::array{20, 30, 5, 5}));
  EXPECT_TRUE(item.Template.Pixels.empty()) << "taken from the next frame, not before";
  EXPECT_TRUE(Model().CapturePending());

  DeliverFrame(frame_);
  EXPECT_FALSE(Model().CapturePending());
  EXPECT_EQ(item.Template.Width, 5);
  EXPECT_EQ(item.Template.Height, 5);
  EXPECT_EQ(item.Template.Pixels, Crop(*frame_, 20, 30, 5, 5));
  EXPECT_EQ(Form().CurrentItem().get(), &item) << "the form shows the new Item";
  EXPECT_EQ(qobject_cast<QLineEdit*>(Form().Control(kItemNameBox))->text(), "ITEM1");

  // A second Item is named after the new count, and the first template is not taken again.
  const std::vector<uint8_t> first = item.Template.Pixels;
  DrawItem(60, 60, 80, 70);
  DeliverFrame(MakeGradientFrame(kWidth, kHeight));
  ASSERT_EQ(Model().Scene().Items.size(), 2u);
  EXPECT_EQ(Model().Scene().Items[1]->Name, u"ITEM2");
  EXPECT_EQ(Model().Scene().Items[1]->Template.Width, 20);
  EXPECT_EQ(item.Template.Pixels, first);
}

TEST_F(DrawingTest, ARectanglePartlyOutsideTheFrameKeepsAnEmptyTemplate) {
  DrawItem(kWidth - 10, kHeight - 10, kWidth + 10, kHeight + 5);
  ASSERT_EQ(Model().Scene().Items.size(), 1u);
  DeliverFrame(frame_);
  const Item& item = *Model().Scene().Items[0];
  EXPECT_EQ(item.CaptureWidth, 20);
  EXPECT_TRUE(item.Template.Pixels.empty());
  EXPECT_EQ(item.Template.Width, 0);
}

TEST_F(DrawingTest, ReleasesNearThePressSetTheClickOffsetFartherOnesTheWorkArea) {
  DrawItem(20, 30, 40, 50);
  DeliverFrame(frame_);
  const Item& item = *Model().Scene().Items[0];
  struct Case {
    int dx, dy;
    bool click;
  };
  for (const Case c : {Case{3, 0, true}, Case{0, -4, true}, Case{2, -2, true}, Case{3, 2, false}, Case{-5, 0, false}}) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    Press(100, 80);
    Move(100 + c.dx, 80 + c.dy);
    Release(100 + c.dx, 80 + c.dy);
    if (c.click) {
      EXPECT_EQ(item.ClickOffsetX, 100 - 20);
      EXPECT_EQ(item.ClickOffsetY, 80 - 30);
    } else {
      EXPECT_EQ(item.WorkOffsetX, std::min(100, 100 + c.dx) - 20);
      EXPECT_EQ(item.WorkOffsetY, std::min(80, 80 + c.dy) - 30);
      EXPECT_EQ(item.WorkWidth, std::abs(c.dx));
      EXPECT_EQ(item.WorkHeight, std::abs(c.dy));
    }
  }
  EXPECT_EQ(item.CaptureLeft, 20) << "area gestures never move the Item";
}

TEST_F(DrawingTest, DraggingAWorkAreaUpAndLeftStoresTheRectangleShown) {
  DrawItem(20, 30, 40, 50);
  DeliverFrame(frame_);
  const Item& item = *Model().Scene().Items[0];
  Press(120, 100);
  Move(90, 70);
  ASSERT_TRUE(Model().AreaDragging());
  const EditRect shown = Model().AreaRect();
  Release(90, 70);
  EXPECT_EQ(shown, (EditRect{90, 70, 120, 100}));
  EXPECT_EQ(item.CaptureLeft + item.WorkOffsetX, shown.Left);
  EXPECT_EQ(item.CaptureTop + item.WorkOffsetY, shown.Top);
  EXPECT_EQ(item.WorkWidth, shown.Width());
  EXPECT_EQ(item.WorkHeight, shown.Height());
}

TEST_F(DrawingTest, HandlesResizeTheInsideMovesAndTheTemplateStaysUntilRecaptured) {
  DrawItem(20, 30, 40, 50);
  DeliverFrame(frame_);
  Item& item = *Model().Scene().Items[0];
  const std::vector<uint8_t> taken = item.Template.Pixels;
  Drag(40, 50, 60, 55);  // handle 7, bottom-right
  EXPECT_EQ((std::array{item.CaptureLeft, item.CaptureTop, item.CaptureWidth, item.CaptureHeight}),
            (std::array{20, 30, 40, 25}));
  Drag(20, 42, 10, 42);  // handle 3, middle-left (42 = (30 + 55) / 2)
  EXPECT_EQ(item.CaptureLeft, 10);
  EXPECT_EQ(item.CaptureWidth, 50);
  Drag(30, 40, 35, 45);  // inside: move by (5, 5)
  EXPECT_EQ((std::array{item.CaptureLeft, item.CaptureTop, item.CaptureWidth, item.CaptureHeight}),
            (std::array{15, 35, 50, 25}));
  DeliverFrame(frame_);
  EXPECT_EQ(item.Template.Pixels, taken) << "moving and resizing keep the old template";

  Click(kRecaptureCommand);
  EXPECT_TRUE(item.Template.Pixels.empty());
  DeliverFrame(frame_);
  EXPECT_EQ(item.Template.Width, 50);
  EXPECT_EQ(item.Template.Pixels, Crop(*frame_, 15, 35, 50, 25));
}

TEST_F(DrawingTest, HandleGeometryFollowsTheMarkersCornersAndMidpoints) {
  const ItemMarker marker{10, 20, 31, 41, true, 0};
  const int expected[kHandleCount][2] = {{10, 20}, {20, 20}, {31, 20}, {10, 30},
                                         {31, 30}, {10, 41}, {20, 41}, {31, 41}};
  for (int h = 0; h < kHandleCount; ++h) {
    const EditRect r = HandleRect(marker, h);
    EXPECT_EQ(r, (EditRect{expected[h][0] - 5, expected[h][1] - 5, expected[h][0] + 5, expected[h][1] + 5})) << h;
    EXPECT_EQ(HitHandle(marker, expected[h][0], expected[h][1]), h);
  }
  EXPECT_EQ(HitHandle(marker, 20, 25), -1);
  // A marker dragged inside out keeps its handle numbers by coordinate, not by corner.
  const ItemMarker flipped{31, 41, 10, 20, true, 0};
  EXPECT_EQ(HitHandle(flipped, 31, 41), 0);
}

}  // namespace
}  // namespace zor::test
