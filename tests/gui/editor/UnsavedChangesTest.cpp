// Closing the scene editor with unsaved changes: Save, Discard and Cancel, and a save that fails.
#include <QFile>

#include "EditorFixture.h"
#include "support/TempDir.h"

namespace zor::test {
namespace {

class UnsavedChangesTest : public EditorFixture {
 protected:
  UnsavedChangesTest() {
    QObject::connect(editor_.get(), &SceneEditor::Closed, [this] { closed_ = true; });
  }

  // One Item in a Scene named `name`, never saved.
  void EditScene(const std::u16string& name) {
    DrawItem(10, 10, 30, 25);
    DeliverFrame(frame_);
    Model().Scene().Name = name;
    ASSERT_TRUE(Model().HasUnsavedChanges());
  }

  QString ScenePath(const QString& name) { return folder_.Path("Scenes/" + name + ".scene"); }

  bool closed_ = false;
};

TEST_F(UnsavedChangesTest, CancelKeepsTheEditorOpenWithItsEdits) {
  EditScene(u"kept");
  MessageSeen asked;
  AnswerNextMessage(asked, QMessageBox::Cancel);
  EXPECT_FALSE(View().close());
  ASSERT_TRUE(asked.seen);
  EXPECT_TRUE(asked.text.contains("kept"));
  EXPECT_TRUE(View().isVisible());
  EXPECT_FALSE(closed_);
  EXPECT_EQ(Model().Scene().Items.size(), 1u);
  EXPECT_TRUE(Model().HasUnsavedChanges());
}

TEST_F(UnsavedChangesTest, DiscardClosesWithoutWriting) {
  EditScene(u"dropped");
  MessageSeen asked;
  AnswerNextMessage(asked, QMessageBox::Discard);
  EXPECT_TRUE(View().close());
  EXPECT_TRUE(asked.seen);
  EXPECT_TRUE(closed_);
  EXPECT_FALSE(QFile::exists(ScenePath("dropped")));
}

TEST_F(UnsavedChangesTest, SaveWritesTheSceneAndCloses) {
  EditScene(u"written");
  const std::string bytes = Model().Scene().Encode();
  MessageSeen asked;
  AnswerNextMessage(asked, QMessageBox::Save);
  EXPECT_TRUE(View().close());
  EXPECT_TRUE(asked.seen);
  EXPECT_TRUE(closed_);
  EXPECT_EQ(ReadFile(ScenePath("written").toStdString()), bytes);
}

TEST_F(UnsavedChangesTest, ASaveThatFailsSaysWhyAndStaysOpen) {
  EditScene(u"../outside");
  const SaveResult expected = Model().Scene().Save(u"../outside.scene");
  ASSERT_FALSE(expected);
  MessageSeen asked;
  MessageSeen failed;
  AnswerMessagesInTurn({{&asked, QMessageBox::Save}, {&failed, QMessageBox::Ok}});
  EXPECT_FALSE(View().close());
  EXPECT_TRUE(asked.seen);
  ASSERT_TRUE(failed.seen);
  EXPECT_EQ(failed.icon, QMessageBox::Warning);
  EXPECT_TRUE(failed.text.contains(QString::fromStdString(expected.failure))) << failed.text.toStdString();
  EXPECT_TRUE(View().isVisible());
  EXPECT_FALSE(closed_);
  EXPECT_TRUE(Model().HasUnsavedChanges());
  EXPECT_FALSE(QFile::exists(folder_.Path("outside.scene")));
}

TEST_F(UnsavedChangesTest, TheSaveButtonSaysWhyASaveFailed) {
  EditScene(u"../outside");
  MessageSeen failed;
  AnswerNextMessage(failed, QMessageBox::Ok);
  Click(kSaveSceneCommand);
  ASSERT_TRUE(failed.seen);
  EXPECT_EQ(failed.icon, QMessageBox::Warning);
  EXPECT_TRUE(Model().HasUnsavedChanges());
}

TEST_F(UnsavedChangesTest, ASavedSceneClosesWithoutAsking) {
  EditScene(u"clean");
  Click(kSaveSceneCommand);
  ASSERT_FALSE(Model().HasUnsavedChanges());
  EXPECT_TRUE(View().close());
  EXPECT_TRUE(closed_);
}

}  // namespace
}  // namespace zor::test
