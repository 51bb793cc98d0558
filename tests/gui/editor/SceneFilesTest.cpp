// Saving, loading and deleting Scene files from the Scene Tool.
#include <QFile>
#include <QListWidget>

#include "EditorFixture.h"
#include "support/TempDir.h"

namespace zor::test {
namespace {

class SceneFilesTest : public EditorFixture {
 protected:
  QListWidget* SceneList() { return qobject_cast<QListWidget*>(Form().Control(kSceneListBox)); }
  QString ScenePath(const QString& name) { return folder_.Path("Scenes/" + name + ".scene"); }

  // Double clicks the line `name` of the Scene list.
  void DoubleClickScene(const QString& name) {
    const auto lines = SceneList()->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(lines.size(), 1);
    SceneList()->setCurrentItem(lines[0]);
    emit SceneList()->itemDoubleClicked(lines[0]);
  }

  // Two Items with templates, parameters and scripts, in a Scene named `name`.
  void MakeScene(const QString& name) {
    DrawItem(10, 10, 30, 25);
    DeliverFrame(frame_);
    Model().Scene().Items[0]->Params = {{u"Mode", u"Single"}};
    Model().Scene().Items[0]->Script = u"action CLK\r\nlast";
    DrawItem(60, 40, 90, 80);
    DeliverFrame(frame_);
    Model().Scene().Items[1]->ClickOffsetX = 7;
    Model().Scene().Name = FromQString(name);
    Model().Scene().Description = u"설명";
    Tool().Refresh();
  }
};

TEST_F(SceneFilesTest, SaveThenLoadGivesTheSameSceneAndTheSameBytes) {
  MakeScene("alpha");
  std::vector<Item> saved_items;
  for (const auto& item : Model().Scene().Items) saved_items.push_back(*item);
  Click(kSaveSceneCommand);
  ASSERT_TRUE(QFile::exists(ScenePath("alpha")));
  EXPECT_EQ(SceneList()->findItems("alpha", Qt::MatchExactly).size(), 1);
  const std::string first_bytes = ReadFile(ScenePath("alpha").toStdString());

  // Unsaved changes are dropped without asking; the old Items are released.
  const std::weak_ptr<Item> old_item = Model().Scene().Items[0];
  Model().Scene().Items[0]->Name = u"changed";
  DrawItem(100, 90, 120, 110);
  DoubleClickScene("alpha");
  EXPECT_TRUE(old_item.expired());
  ASSERT_EQ(Model().Scene().Items.size(), saved_items.size());
  for (size_t i = 0; i < saved_items.size(); ++i) {
    EXPECT_TRUE(Model().Scene().Items[i]->SameStoredFields(saved_items[i])) << i;
  }
  EXPECT_EQ(Model().Scene().Description, u"설명");
  ASSERT_EQ(Model().Markers().size(), 2u);
  EXPECT_EQ(Model().Markers()[1].Left, 60);
  EXPECT_EQ(Model().Markers()[1].Bottom, 80);
  EXPECT_FALSE(Model().Markers()[0].Selected);
  EXPECT_EQ(Model().CurrentMarker(), -1);

  Click(kSaveSceneCommand);
  EXPECT_EQ(ReadFile(ScenePath("alpha").toStdString()), first_bytes);
}

TEST_F(SceneFilesTest, DeleteAsksAndRemovesTheFile) {
  MakeScene("beta");
  Click(kSaveSceneCommand);
  ASSERT_TRUE(QFile::exists(ScenePath("beta")));

  MessageSeen no;
  AnswerNextMessage(no, QMessageBox::No);
  Click(kDeleteSceneCommand);
  EXPECT_TRUE(no.seen);
  EXPECT_TRUE(QFile::exists(ScenePath("beta")));
  EXPECT_EQ(Model().Scene().Items.size(), 2u);

  MessageSeen yes;
  AnswerNextMessage(yes, QMessageBox::Yes);
  Click(kDeleteSceneCommand);
  EXPECT_TRUE(yes.seen);
  EXPECT_FALSE(QFile::exists(ScenePath("beta")));
  EXPECT_TRUE(Model().Scene().Items.empty());
  EXPECT_TRUE(Model().Markers().empty()) << "no marker is left without its Item";
  EXPECT_TRUE(SceneList()->findItems("beta", Qt::MatchExactly).isEmpty());
}

TEST_F(SceneFilesTest, DeletingASceneThatWasNeverSavedOrLeavesTheFolderFails) {
  MakeScene("never");
  EXPECT_FALSE(Tool().DeleteSceneFile());
  EXPECT_EQ(Model().Scene().Items.size(), 2u);
  WriteFile(folder_.Path("outside.scene").toStdString(), "x");
  Model().Scene().Name = u"../outside";
  EXPECT_FALSE(Tool().DeleteSceneFile());
  EXPECT_TRUE(QFile::exists(folder_.Path("outside.scene")));
}

TEST_F(SceneFilesTest, LoadingAMissingOrDamagedFileLeavesAConsistentEditor) {
  MakeScene("gamma");
  Click(kSaveSceneCommand);
  std::string bytes = ReadFile(ScenePath("gamma").toStdString());
  WriteFile(ScenePath("gamma").toStdString(), bytes.substr(0, bytes.size() / 2));
  Tool().ReloadSceneList();
  DoubleClickScene("gamma");
  EXPECT_EQ(Model().Markers().size(), Model().Scene().Items.size());
  for (size_t i = 0; i < Model().Scene().Items.size(); ++i) EXPECT_EQ(Model().Scene().Items[i]->Index, static_cast<int32_t>(i));
  QFile::remove(ScenePath("gamma"));
  Form().LoadScene("gamma");
  EXPECT_TRUE(Model().Scene().Items.empty());
  EXPECT_TRUE(Model().Markers().empty());
}

}  // namespace
}  // namespace zor::test
