// Action names, Item parameters and templates, the typed-text table, and the App's Scene state.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "AutomationTestSupport.h"
#include "input/AsciiHidMap.h"
#include "model/ActionCode.h"
#include "model/AppInfo.h"
#include "model/Item.h"
#include "platform/CodePage.h"

namespace zor {
namespace {

TEST(ActionCodeLookup, NamesInAnyCaseAndUnknownNames) {
  const std::u16string names[] = {
      u"NONE",   u"CLK",      u"RCLK",       u"DBLCLK",    u"RDBLCLK",  u"MOVE",   u"CLKRE",
      u"RCLKRE", u"DBLCLKRE", u"RDBLCLKRE",  u"MOVERE",    u"DRAG",     u"DRAGRE", u"KEY",
      u"INPUT",  u"INPUT_ID", u"INPUT_PASS", u"INPUT_STR", u"INPUT_ETC"};
  for (int32_t code = 0; code < 19; ++code) {
    std::u16string lower = names[code];
    for (auto& c : lower) c = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    EXPECT_EQ(LookupActionCode(names[code]), ActionCode(code));
    EXPECT_EQ(LookupActionCode(lower), ActionCode(code));
  }
  EXPECT_EQ(LookupActionCode(u"cLkRe"), ActionCode::ClkRe);
  for (const char16_t* unknown : {u"CLICK", u"", u"CLK ", u"\uFF23LK", u"input-id"}) {
    EXPECT_EQ(LookupActionCode(unknown), ActionCode::None) << ToUtf8(unknown);
  }
}

TEST(ItemParams, IntegerAndFloatReadingFallsBackToTheDefault) {
  struct Case {
    std::u16string value;
    int32_t as_int;  // with default 128
    float as_float;  // with default 0.5
  };
  const Case cases[] = {
      {u"", 128, 0.5f},
      {u" 77x", 77, 77.0f},
      {u"\t\n -5", -5, -5.0f},
      {u"+12", 12, 12.0f},
      {u"abc", 128, 0.5f},
      {u"-", 128, 0.5f},
      {u"2147483647", INT32_MAX, 2147483647.0f},
      {u"-2147483648", INT32_MIN, -2147483648.0f},
      {u"2147483648", 128, 2147483648.0f},
      {u"0.25", 0, 0.25f},
      {u" 1.5e1px", 1, 15.0f},
      {u"+.5", 128, 0.5f},
      {u"1e99", 1, 0.5f},
      {u",5", 128, 0.5f},
      {u"+-1", 128, 0.5f},
      {u"\uFF11", 128, 0.5f},  // a full-width digit is not a digit
  };
  for (const auto& c : cases) {
    Item item;
    item.Params = {{u"Other", u"1"}, {u"BinThreshold", c.value}, {u"BinThreshold", u"9"}};
    EXPECT_EQ(item.GetParamInt(u"BinThreshold", 128), c.as_int) << ToUtf8(c.value);
    EXPECT_EQ(item.GetParamFloat(u"BinThreshold", 0.5f), c.as_float) << ToUtf8(c.value);
  }
  Item item;
  item.Params = {{u"binthreshold", u"3"}};
  EXPECT_EQ(item.GetParamInt(u"BinThreshold", 128), 128);  // keys are case-sensitive
  EXPECT_EQ(item.GetParamFloat(u"Missing", 0.75f), 0.75f);
}

TEST(ItemDefaults, MatchTheModel) {
  const Item item;
  EXPECT_TRUE(item.Active);
  EXPECT_EQ(item.Threshold, 0.95f);
  EXPECT_EQ(item.AnalysisType, kEngineImage);
  EXPECT_TRUE(item.Name.empty() && item.Params.empty() && item.Template.Pixels.empty());
  const AppInfo app;
  EXPECT_EQ(app.UserId, u"TestID");
  EXPECT_EQ(app.UserPassword, u"SamplePw");
  EXPECT_EQ(app.UserDefine, u"TestStr");
  EXPECT_EQ(app.UserEtc, u"TestEtc");
  ASSERT_NE(app.Scene, nullptr);
  EXPECT_TRUE(app.Scene->Items.empty());
}

TEST(TemplateImage, UsableOnlyWhenBytesMatchTheSize) {
  struct Case {
    int32_t width;
    int32_t height;
    size_t bytes;
    bool usable;
  };
  const Case cases[] = {{2, 3, 24, true},         {2, 3, 23, false},   {2, 3, 28, false},
                        {0, 3, 0, false},         {-1, -4, 16, false}, {1, 1, 0, false},
                        {65536, 65536, 16, false}};
  for (const auto& c : cases) {
    TemplateImage image{c.width, c.height, std::vector<uint8_t>(c.bytes)};
    EXPECT_EQ(image.IsUsable(), c.usable) << c.width << "x" << c.height << " " << c.bytes;
  }
}

TEST(AsciiHidMapTable, NinetyEightCharactersOfTheUsLayout) {
  const auto& map = AsciiHidMap();
  EXPECT_EQ(map.size(), 98u);
  auto stroke = [&](char c) { return map.at(c); };
  // "Ab1!" then CR LF: CR is not typed, LF presses Enter.
  std::vector<HidKeyStroke> typed;
  for (char c : std::string("Ab1!\r\n")) {
    if (auto it = map.find(c); it != map.end()) typed.push_back(it->second);
  }
  const std::vector<HidKeyStroke> expected = {
      {0x04, 2}, {0x05, 0}, {0x1E, 0}, {0x1E, 2}, {0x28, 0}};
  EXPECT_EQ(typed, expected);
  EXPECT_EQ(stroke('0'), (HidKeyStroke{0x27, 0}));
  EXPECT_EQ(stroke(')'), (HidKeyStroke{0x27, 2}));
  EXPECT_EQ(stroke('Z'), (HidKeyStroke{0x1D, 2}));
  EXPECT_EQ(stroke(' '), (HidKeyStroke{0x2C, 0}));
  EXPECT_EQ(stroke('|'), (HidKeyStroke{0x31, 2}));
  EXPECT_EQ(stroke('"'), (HidKeyStroke{0x34, 2}));
  EXPECT_EQ(stroke('~'), (HidKeyStroke{0x35, 2}));
  EXPECT_EQ(stroke('?'), (HidKeyStroke{0x38, 2}));
  EXPECT_EQ(stroke('\t'), (HidKeyStroke{0x2B, 0}));
  EXPECT_EQ(stroke('\b'), (HidKeyStroke{0x2A, 0}));
  EXPECT_EQ(map.count('\r'), 0u);
}

TEST(AppSceneState, SetItemsActiveResults) {
  AppInfo app;
  EXPECT_FALSE(app.SetItemsActive(false, u""));  // no Items
  app.Scene->Items = {test::MakeItem(u"A"), test::MakeItem(u"B")};
  EXPECT_TRUE(app.SetItemsActive(false, u""));
  EXPECT_FALSE(app.Scene->Items[0]->Active || app.Scene->Items[1]->Active);
  EXPECT_FALSE(app.SetItemsActive(true, u"B"));
  EXPECT_TRUE(app.Scene->Items[1]->Active);
  EXPECT_FALSE(app.Scene->Items[0]->Active);
  app.Scene.reset();
  EXPECT_FALSE(app.SetItemsActive(true, u""));
}

TEST(AppSceneState, NextSceneLoadsTheNextAndStaysOnTheLast) {
  test::TempProgramFolder folder;
  for (const char16_t* name : {u"첫째", u"둘째"}) {
    SceneData scene;
    scene.Name = name;
    scene.Items.push_back(test::MakeItem(u"I"));
    ASSERT_TRUE(scene.Save(std::u16string(name) + u".scene"));
  }
  AppInfo app;
  app.NextScene();  // no Scenes: nothing happens
  EXPECT_EQ(app.CurrentScene, 0);

  app.Scenes = {u"첫째", u"둘째"};
  ASSERT_TRUE(app.Scene->Load(u"첫째.scene"));
  app.Scene->Items[0]->Active = false;
  app.Delay = 4;
  app.EmptyTicks = 2;
  app.NextStart = 1;
  app.NextScene();
  EXPECT_EQ(app.CurrentScene, 1);
  EXPECT_EQ(app.Scene->Name, u"둘째");
  ASSERT_EQ(app.Scene->Items.size(), 1u);
  EXPECT_TRUE(app.Scene->Items[0]->Active);
  EXPECT_EQ(app.Delay, 0);
  EXPECT_EQ(app.EmptyTicks, 0);
  EXPECT_EQ(app.NextStart, 0);

  app.Scene->Items[0]->Active = false;
  app.EmptyTicks = 2;
  app.NextScene();  // past the last Scene: the finished Scene stays, nothing else changes
  EXPECT_EQ(app.CurrentScene, 1);
  EXPECT_FALSE(app.Scene->Items[0]->Active);
  EXPECT_EQ(app.EmptyTicks, 2);

  app.CurrentScene = -7;  // a bad index never reaches outside the list
  app.NextScene();
  EXPECT_EQ(app.CurrentScene, 0);
  EXPECT_EQ(app.Scene->Name, u"첫째");
}

}  // namespace
}  // namespace zor
