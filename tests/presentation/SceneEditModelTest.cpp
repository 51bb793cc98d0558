// Unsaved edits of the scene editor's model: what marks the Scene as changed and what clears it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "model/AppConfig.h"
#include "platform/ProgramPath.h"
#include "presentation/SceneEditModel.h"
#include "support/TempDir.h"

namespace zor::test {
namespace {

class SceneEditModelTest : public ::testing::Test {
 protected:
  SceneEditModelTest() {
    std::filesystem::create_directory(ScenesDir());
    AppConfig::Instance().SetFolders(WidePath(dir_.File("zorkvm")));
  }

  std::filesystem::path ScenesDir() const { return std::filesystem::path(dir_.Path()) / "Scenes"; }

  // Draws one Item over (x1, y1) .. (x2, y2) as the view's add gesture does.
  void DrawItem(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    model_.StartAdd();
    model_.ButtonDown(x1, y1);
    model_.MouseMove(x2, y2);
    model_.ButtonUp(x2, y2);
  }

  // A saved Scene "base" with two Items, the first one selected.
  void SaveBase() {
    model_.Scene().Name = u"base";
    DrawItem(10, 10, 40, 30);
    DrawItem(50, 50, 90, 80);
    ASSERT_TRUE(model_.SaveScene());
    ASSERT_TRUE(model_.SelectItemIndex(0));
  }

  TempDir dir_;
  SceneEditModel model_;
};

TEST_F(SceneEditModelTest, AFreshEditorHasNothingToSave) { EXPECT_FALSE(model_.HasUnsavedChanges()); }

struct Edit {
  const char* name;
  std::function<void(SceneEditModel&)> apply;
};

TEST_F(SceneEditModelTest, EveryChangeToTheSceneOrAnItemMarksItAndSavingClearsIt) {
  const Edit edits[] = {
      {"draw an Item", [](SceneEditModel& m) {
         m.StartAdd();
         m.ButtonDown(100, 5);
         m.MouseMove(130, 40);
         m.ButtonUp(130, 40);
       }},
      {"move an Item", [](SceneEditModel& m) {
         m.ButtonDown(20, 20);
         m.MouseMove(25, 22);
         m.ButtonUp(25, 22);
       }},
      {"set a click point", [](SceneEditModel& m) {
         m.ButtonDown(5, 60);
         m.ButtonUp(5, 60);
       }},
      {"reorder", [](SceneEditModel& m) { m.KeyDown(EditKey::End); }},
      {"delete an Item", [](SceneEditModel& m) { m.KeyDown(EditKey::Delete); }},
      {"rename the Scene", [](SceneEditModel& m) { m.Scene().Name = u"renamed"; }},
      {"describe the Scene", [](SceneEditModel& m) { m.Scene().Description = u"설명"; }},
      {"script the Scene", [](SceneEditModel& m) { m.Scene().Script = u"set next"; }},
      {"rename an Item", [](SceneEditModel& m) { m.CurrentItem()->Name = u"OK"; }},
      {"script an Item", [](SceneEditModel& m) { m.CurrentItem()->Script = u"action CLK"; }},
      {"change a threshold", [](SceneEditModel& m) { m.CurrentItem()->Threshold += 1; }},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    model_.Clear();
    SaveBase();
    ASSERT_FALSE(model_.HasUnsavedChanges());
    edit.apply(model_);
    EXPECT_TRUE(model_.HasUnsavedChanges());
    ASSERT_TRUE(model_.SaveScene());
    EXPECT_FALSE(model_.HasUnsavedChanges());
  }
}

TEST_F(SceneEditModelTest, SelectingAnItemChangesNothingToSave) {
  SaveBase();
  ASSERT_TRUE(model_.SelectItemIndex(1));
  model_.StartAdd();
  model_.ButtonUp(0, 0);  // an add that drew nothing
  EXPECT_FALSE(model_.HasUnsavedChanges());
}

TEST_F(SceneEditModelTest, LoadingClearsTheMarkAndAFailedLoadDoesNot) {
  SaveBase();
  model_.Scene().Description = u"changed";
  ASSERT_TRUE(model_.LoadScene(u"base"));
  EXPECT_FALSE(model_.HasUnsavedChanges());
  EXPECT_TRUE(model_.Scene().Description.empty());
  EXPECT_EQ(model_.Markers().size(), 2u);

  model_.Scene().Description = u"changed again";
  EXPECT_FALSE(model_.LoadScene(u"missing"));
  EXPECT_TRUE(model_.HasUnsavedChanges());
}

TEST_F(SceneEditModelTest, AFailedSaveSaysWhyAndKeepsTheMark) {
  SaveBase();
  model_.Scene().Name = u"../outside";
  const SaveResult result = model_.SaveScene();
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.failure.empty());
  EXPECT_TRUE(model_.HasUnsavedChanges());
}

TEST_F(SceneEditModelTest, ClearingLeavesNothingToSave) {
  DrawItem(10, 10, 40, 30);
  ASSERT_TRUE(model_.HasUnsavedChanges());
  model_.Clear();
  EXPECT_FALSE(model_.HasUnsavedChanges());
}

}  // namespace
}  // namespace zor::test
