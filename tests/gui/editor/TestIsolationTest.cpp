// The editor while its test runs on the pane's runner: selecting Items shows them in the form,
// whose boxes write back what they show, and none of it reaches what the test runs on.
#include <memory>

#include "EditorFixture.h"

namespace zor::test {
namespace {

// Hands the editor's test requests on to the controller and keeps what they run on.
class KeepingTestControl : public IEditorTestControl {
 public:
  explicit KeepingTestControl(IEditorTestControl& next) : next_(next) {}
  bool StartItemTest(std::shared_ptr<const Item> item) override {
    item_ = item;
    return next_.StartItemTest(std::move(item));
  }
  bool StartSceneTest(std::shared_ptr<const SceneData> scene) override {
    scene_ = scene;
    return next_.StartSceneTest(std::move(scene));
  }
  void StopTest() override { next_.StopTest(); }

  // What the editor handed over for the last test.
  Item Tested(bool scene_test) const { return scene_test ? *scene_->Items.at(0) : *item_; }

 private:
  IEditorTestControl& next_;
  std::shared_ptr<const Item> item_;
  std::shared_ptr<const SceneData> scene_;
};

class TestIsolationTest : public EditorFixture {
 protected:
  TestIsolationTest() {
    editor_->SetTestControl(&keeping_);
    controller_.Session().AttachConsumer(ConsumerRole::SceneEditor, editor_.get());
  }
  ~TestIsolationTest() override {
    controller_.DetachSceneEditor();
    controller_.Session().DetachConsumer(editor_.get());
  }

  bool Request(bool scene_test) { return scene_test ? editor_->RequestSceneTest() : editor_->RequestItemTest(); }
  // One frame through the session, to the editor and the test's worker.
  void SessionFrame() {
    controller_.Session().OnFrame(frame_);
    Settle();
  }

  KeepingTestControl keeping_{controller_};
};

TEST_F(TestIsolationTest, SelectingItemsDuringATestChangesNoFieldOfTheTestedItem) {
  DrawItem(10, 10, 40, 40);
  DeliverFrame(frame_);
  DrawItem(60, 60, 90, 90);
  DeliverFrame(frame_);
  for (const bool scene_test : {false, true}) {
    SCOPED_TRACE(scene_test ? "Scene test" : "Item test");
    ASSERT_TRUE(Model().SelectItemIndex(0));
    Item& item = *Model().Scene().Items[0];
    // Showing this Item cuts its name to the name box's length.
    item.Name = std::u16string(300, u'n');
    item.Threshold = 0.947f;
    item.Script = u"action MOVE\r\nfinal";
    ASSERT_TRUE(Request(scene_test));
    const Item before = keeping_.Tested(scene_test);
    SessionFrame();
    ASSERT_TRUE(WaitWithEvents([&] {
      const auto best = editor_->TestBestMatch();
      return scene_test ? editor_->LastAction().X != 0 : best && best->Valid != 0;
    })) << "the test ran";

    for (const int row : {1, 0, 1, 0}) {
      ClickItemRow(row);
      SessionFrame();
    }
    EXPECT_EQ(Form().CurrentItem().get(), &item) << "the selection was shown";
    const Item after = keeping_.Tested(scene_test);
    EXPECT_TRUE(after.SameStoredFields(before));
    EXPECT_EQ(std::make_tuple(after.Active, after.LastEvalMs, after.Actions.size()),
              std::make_tuple(before.Active, before.LastEvalMs, before.Actions.size()));
    EXPECT_TRUE(item.Active) << "the run's \"final\" stays in the run";

    ASSERT_TRUE(Request(scene_test));  // stop
    EXPECT_FALSE(editor_->Testing());
  }
}

}  // namespace
}  // namespace zor::test
