// Reordering and deleting Items with the keys, and the index bookkeeping behind it.
#include "EditorFixture.h"

namespace zor::test {
namespace {

class EditingTest : public EditorFixture {
 protected:
  // Three Items, ITEM1 .. ITEM3, side by side; none selected.
  void DrawThree() {
    for (int i = 0; i < 3; ++i) {
      DrawItem(10 + i * 40, 20, 40 + i * 40, 50);
      DeliverFrame(frame_);
    }
    Model().RebuildMarkers();
  }

  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> names;
    for (const auto& item : editor_->Model().Scene().Items) names.push_back(item->Name);
    return names;
  }

  // After every edit each marker's index is its place, each Item's index is its place, and each
  // marker lies on its Item's capture rectangle.
  void ExpectConsistent() {
    const auto& items = Model().Scene().Items;
    const auto& markers = Model().Markers();
    ASSERT_EQ(items.size(), markers.size());
    for (size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(items[i]->Index, static_cast<int32_t>(i));
      EXPECT_EQ(markers[i].ItemIndex, static_cast<int32_t>(i));
      const EditRect r = markers[i].Normalised();
      EXPECT_EQ((std::array{r.Left, r.Top, r.Width(), r.Height()}),
                (std::array{items[i]->CaptureLeft, items[i]->CaptureTop, items[i]->CaptureWidth,
                            items[i]->CaptureHeight}));
    }
  }
};

TEST_F(EditingTest, KeysMoveTheSelectedItemAndItStaysSelected) {
  struct Case {
    int select;
    std::vector<int> keys;
    std::vector<std::u16string> order;
    int selected_after;
  };
  const std::vector<Case> cases = {
      {0, {Qt::Key_Down, Qt::Key_Down}, {u"ITEM2", u"ITEM3", u"ITEM1"}, 2},
      {0, {Qt::Key_Up}, {u"ITEM1", u"ITEM2", u"ITEM3"}, 0},
      {2, {Qt::Key_Down}, {u"ITEM1", u"ITEM2", u"ITEM3"}, 2},
      {2, {Qt::Key_Home}, {u"ITEM3", u"ITEM1", u"ITEM2"}, 0},
      {0, {Qt::Key_End}, {u"ITEM2", u"ITEM3", u"ITEM1"}, 2},
      {1, {Qt::Key_Up, Qt::Key_End}, {u"ITEM1", u"ITEM3", u"ITEM2"}, 2},
  };
  for (size_t n = 0; n < cases.size(); ++n) {
    SCOPED_TRACE(n);
    const Case& c = cases[n];
    Model().Clear();
    DrawThree();
    ASSERT_TRUE(Model().SelectItemIndex(c.select));
    const Item* moved = Model().CurrentItem().get();
    for (int key : c.keys) Key(key);
    EXPECT_EQ(Names(), c.order);
    EXPECT_EQ(Model().CurrentMarker(), c.selected_after);
    EXPECT_EQ(Model().CurrentItem().get(), moved);
    EXPECT_TRUE(Model().Markers()[static_cast<size_t>(c.selected_after)].Selected);
    ExpectConsistent();
  }
}

TEST_F(EditingTest, DeleteRemovesTheItemAndRenumbersMarkersAndItems) {
  DrawThree();
  ASSERT_TRUE(Model().SelectItemIndex(0));
  Key(Qt::Key_Delete);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"ITEM2", u"ITEM3"}));
  EXPECT_EQ(Model().CurrentMarker(), -1);
  EXPECT_EQ(Form().CurrentItem(), nullptr) << "the form shows no Item";
  ExpectConsistent();
  EXPECT_EQ(Model().Markers()[0].Left, 50);

  ASSERT_TRUE(Model().SelectItemIndex(1));
  Key(Qt::Key_Delete);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"ITEM2"}));
  ExpectConsistent();
}

TEST_F(EditingTest, ASingleItemSceneAndAMissingSelectionIgnoreTheKeys) {
  DrawItem(10, 20, 40, 50);
  DeliverFrame(frame_);
  ASSERT_EQ(Model().CurrentMarker(), 0);
  for (int key : {Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End}) Key(key);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"ITEM1"}));
  EXPECT_EQ(Model().CurrentMarker(), 0);

  DrawItem(60, 20, 90, 50);
  DeliverFrame(frame_);
  Model().RebuildMarkers();  // no selection
  Key(Qt::Key_Delete);
  EXPECT_EQ(Model().Scene().Items.size(), 2u);
}

TEST_F(EditingTest, InputIsIgnoredWhileATestRuns) {
  DrawThree();
  ASSERT_TRUE(Model().SelectItemIndex(0));
  ASSERT_TRUE(editor_->RequestItemTest());
  ASSERT_TRUE(editor_->Testing());
  Key(Qt::Key_Delete);
  Drag(10, 20, 5, 5);
  EXPECT_EQ(Model().Scene().Items.size(), 3u);
  EXPECT_EQ(Model().Scene().Items[0]->CaptureLeft, 10);
  EXPECT_FALSE(Tool().Form()->Control(kItemNameBox)->isEnabled()) << "the form refuses edits too";
}

TEST_F(EditingTest, ClosingDuringATestIsRefusedAndAfterItTheEditorCloses) {
  DrawThree();
  ASSERT_TRUE(Model().SelectItemIndex(0));
  bool closed = false;
  QObject::connect(editor_.get(), &SceneEditor::Closed, [&closed] { closed = true; });
  ASSERT_TRUE(editor_->RequestItemTest());
  MessageSeen seen;
  AnswerNextMessage(seen, QMessageBox::Ok);
  EXPECT_FALSE(View().close());
  EXPECT_TRUE(seen.seen);
  EXPECT_TRUE(View().isVisible());
  EXPECT_FALSE(closed);

  ASSERT_TRUE(editor_->RequestItemTest()) << "the second press stops the test";
  ASSERT_FALSE(editor_->Testing());
  MessageSeen unsaved;
  AnswerNextMessage(unsaved, QMessageBox::Discard);
  EXPECT_TRUE(View().close());
  EXPECT_TRUE(unsaved.seen) << "the three drawn Items were never saved";
  EXPECT_TRUE(closed);
  EXPECT_TRUE(editor_->Closing());
}

}  // namespace
}  // namespace zor::test
