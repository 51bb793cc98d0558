// The editor while its test runs on the client's runner: selecting Items shows them in the form,
// whose boxes write back what they show, and none of it reaches what the test runs on.
#include "EditorFixture.h"
#include "automation/AutoRunner.h"
#include "session/DeviceSession.h"

namespace zor::test {
namespace {

class TestIsolationTest : public EditorFixture {
 protected:
  TestIsolationTest() {
    device_.Type = 7;  // no driver: the test hands the frames to the client
    client_.SetAutomation(std::make_unique<AutoRunner>(client_));
    client_.CreateClient();
    client_.AttachSceneEditor(editor_.get());
    client_.AttachConsumer(ConsumerRole::SceneEditor, editor_.get());
  }
  ~TestIsolationTest() override {
    client_.DetachSceneEditor();
    client_.DetachConsumer(editor_.get());
  }

  bool Request(bool scene_test) { return scene_test ? editor_->RequestSceneTest() : editor_->RequestItemTest(); }
  // What the client hands to the runner for the test.
  Item Tested(bool scene_test) {
    return scene_test ? *editor_->EditedScene()->Items.at(0) : *editor_->SelectedItem();
  }
  // One frame through the client, which services the test requests first.
  void ClientFrame() {
    client_.OnFrame(frame_);
    Settle();
  }

  DeviceInfo device_;
  DeviceSession client_{&device_};
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
    const Item before = Tested(scene_test);
    ClientFrame();
    ASSERT_TRUE(WaitWithEvents([&] {
      const auto best = editor_->TestBestMatch();
      return scene_test ? editor_->LastAction().X != 0 : best && best->Valid != 0;
    })) << "the test ran";

    for (const int row : {1, 0, 1, 0}) {
      ClickItemRow(row);
      ClientFrame();
    }
    EXPECT_EQ(Form().CurrentItem().get(), &item) << "the selection was shown";
    const Item after = Tested(scene_test);
    EXPECT_TRUE(after.SameStoredFields(before));
    EXPECT_EQ(std::make_tuple(after.Active, after.LastEvalMs, after.Actions.size()),
              std::make_tuple(before.Active, before.LastEvalMs, before.Actions.size()));
    EXPECT_TRUE(item.Active) << "the run's \"final\" stays in the run";

    ASSERT_TRUE(Request(scene_test));  // stop
    ClientFrame();
    ASSERT_TRUE(WaitWithEvents([&] { return !editor_->Testing(); }));
  }
}

}  // namespace
}  // namespace zor::test
