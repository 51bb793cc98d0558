// The ".scene" file: exact bytes, round trips, names that would leave the Scenes folder.
#include <gtest/gtest.h>

#include "automation/ItemScript.h"
#include "AutomationTestSupport.h"
#include "model/SceneData.h"

namespace zor {
namespace {

using test::Le32;
using test::Le64;
using test::Text8;

class SceneFileTest : public ::testing::Test {
 protected:
  test::TempProgramFolder folder_;
};

TEST_F(SceneFileTest, EmptySceneIsThreeTextsAndFourZeroBytes) {
  SceneData scene;
  scene.Name = u"확인";
  scene.Script = u"s";
  ASSERT_TRUE(scene.Save(u"확인.scene"));
  EXPECT_EQ(test::ReadFile((folder_.ScenesDir() / "확인.scene").string()),
            Text8("\xC8\xAE\xC0\xCE") + Text8("") + Text8("s") + Le32(0));
}

TEST_F(SceneFileTest, ItemBlockFieldsInFileOrder) {
  SceneData scene;
  auto item = test::MakeItem(u"ITEM1");
  item->Index = 3;
  item->AnalysisType = 2;
  item->Reserved = -1;
  item->CaptureLeft = 10;
  item->CaptureTop = 11;
  item->CaptureWidth = 12;
  item->CaptureHeight = 13;
  item->ClickOffsetX = 14;
  item->ClickOffsetY = -15;
  item->WorkOffsetX = 16;
  item->WorkOffsetY = 17;
  item->WorkWidth = 18;
  item->WorkHeight = 19;
  item->Color = 0x80FF0020u;
  item->Script = u"final";
  item->Template = {1, 1, {1, 2, 3, 4}};
  scene.Items.push_back(item);

  const std::string expected =
      Text8("") + Text8("") + Text8("") + Le32(1) +  // Scene texts, one Item
      Le32(3) + Le32(2) + Text8("ITEM1") + Le32(0xFFFFFFFF) + Le32(10) + Le32(11) + Le32(12) +
      Le32(13) + Le32(14) + Le32(static_cast<uint32_t>(-15)) + Le32(16) + Le32(17) + Le32(18) +
      Le32(19) + Le32(0x80FF0020u) + std::string("\x33\x33\x73\x3F", 4) +  // threshold 0.95
      Text8("final") + Le64(0) +                                           // no parameters
      Le32(1) + Le32(1) + Le32(4) + std::string("\x01\x02\x03\x04", 4);
  EXPECT_EQ(scene.Encode(), expected);

  item->Params = {{u"a", u"1"}};
  const std::string with_param = scene.Encode();
  EXPECT_NE(with_param.find(Le64(1) + Text8("a") + Text8("1")), std::string::npos);
}

TEST_F(SceneFileTest, RoundTripKeepsEveryStoredField) {
  const SceneData saved = test::MakeTwoItemScene();
  ASSERT_TRUE(saved.Save(u"로그인.scene"));

  SceneData loaded;
  loaded.Name = u"stale";
  loaded.Items.push_back(test::MakeItem(u"kept"));  // Load appends; callers Clear first
  ASSERT_TRUE(loaded.Load(u"로그인.scene"));
  EXPECT_EQ(loaded.Name, saved.Name);
  EXPECT_EQ(loaded.Description, saved.Description);
  EXPECT_EQ(loaded.Script, saved.Script);
  ASSERT_EQ(loaded.Items.size(), 3u);
  EXPECT_EQ(loaded.Items[0]->Name, u"kept");
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_TRUE(loaded.Items[i + 1]->SameStoredFields(*saved.Items[i])) << "Item " << i;
  }
  // The reader mirrors the writer: loading and saving again gives the same bytes.
  loaded.Items.erase(loaded.Items.begin());
  EXPECT_EQ(loaded.Encode(), test::ReadFile((folder_.ScenesDir() / "로그인.scene").string()));
}

TEST_F(SceneFileTest, LoadGivesFreshRunTimeFields) {
  SceneData saved = test::MakeTwoItemScene();
  for (auto& item : saved.Items) {
    item->Active = false;
    item->ItemDelay = 5;
    item->CooldownMs = 9;
    item->LastEvalMs = 77;
    item->Actions.push_back({});
  }
  ASSERT_TRUE(saved.Save(u"s.scene"));
  for (int round = 0; round < 2; ++round) {
    SceneData loaded;
    ASSERT_TRUE(loaded.Load(u"s.scene"));
    for (const auto& item : loaded.Items) {
      EXPECT_TRUE(item->Active);
      EXPECT_EQ(item->ItemDelay, 0u);
      EXPECT_EQ(item->CooldownMs, 0u);
      EXPECT_EQ(item->LastEvalMs, 0u);
      EXPECT_TRUE(item->Actions.empty());
      item->Active = false;  // what a script would do; the next load starts over
    }
  }
}

TEST_F(SceneFileTest, CharacterMissingFromCodePageComesBackAsDefaultCharacter) {
  SceneData scene;
  scene.Name = u"A\u00E9B";  // é is not in code page 949
  ASSERT_TRUE(scene.Save(u"x.scene"));
  SceneData loaded;
  ASSERT_TRUE(loaded.Load(u"x.scene"));
  EXPECT_EQ(loaded.Name, u"A?B");
}

TEST_F(SceneFileTest, BytesThatAreNotCodePage949BecomeQuestionMarksAndTheScriptStillRuns) {
  SceneData scene;
  scene.Items.push_back(test::MakeItem(u"typer"));
  scene.Items[0]->Script = u"action INPUT \"cafX\"\r\naction CLK";
  std::string bytes = scene.Encode();
  bytes.replace(bytes.find("cafX"), 4, "caf\xE9");
  test::WriteFile((folder_.ScenesDir() / "bad.scene").string(), bytes);

  AppInfo app;
  ASSERT_TRUE(app.Scene->Load(u"bad.scene").Whole());
  Item& item = *app.Scene->Items.at(0);
  EXPECT_EQ(item.Script, u"action INPUT \"caf?\"\r\naction CLK");
  ASSERT_TRUE(RunItemScript(app, item, MatchPlace{}));
  ASSERT_EQ(item.Actions.size(), 2u);
  EXPECT_EQ(item.Actions[0].Text, u"caf?");
}

TEST_F(SceneFileTest, EmptyNameIsTheFileDotScene) {
  SceneData scene;
  scene.Description = u"nameless";
  ASSERT_TRUE(scene.Save(u".scene"));
  EXPECT_TRUE(std::filesystem::exists(folder_.ScenesDir() / ".scene"));
  SceneData loaded;
  ASSERT_TRUE(loaded.Load(u".scene"));
  EXPECT_EQ(loaded.Description, u"nameless");
}

TEST_F(SceneFileTest, NamesLeavingTheFolderAreRefused) {
  SceneData scene = test::MakeTwoItemScene();
  const std::u16string names[] = {u"../x.scene",
                                  u"a/b.scene",
                                  u"a\\b.scene",
                                  u"...scene",
                                  u"..",
                                  u".",
                                  std::u16string(u"a\0b.scene", 9)};
  for (const auto& name : names) {
    EXPECT_FALSE(scene.Save(name)) << "saved";
    SceneData loaded = test::MakeTwoItemScene();
    EXPECT_FALSE(loaded.Load(name));
    EXPECT_EQ(loaded.Items.size(), 2u);
  }
  EXPECT_FALSE(std::filesystem::exists(folder_.Root() / "x.scene"));
  EXPECT_TRUE(std::filesystem::is_empty(folder_.ScenesDir()));
}

TEST_F(SceneFileTest, MissingFileLeavesSceneAsItWas) {
  SceneData scene = test::MakeTwoItemScene();
  EXPECT_EQ(scene.Load(u"absent.scene").Reason(), "missing");
  EXPECT_EQ(scene.Name, u"로그인 화면");
  EXPECT_EQ(scene.Items.size(), 2u);
}

TEST_F(SceneFileTest, ClearEmptiesTextsAndItems) {
  SceneData scene = test::MakeTwoItemScene();
  std::weak_ptr<Item> first = scene.Items[0];
  scene.Clear();
  EXPECT_TRUE(scene.Name.empty() && scene.Description.empty() && scene.Script.empty());
  EXPECT_TRUE(scene.Items.empty());
  EXPECT_TRUE(first.expired());
}

}  // namespace
}  // namespace zor
