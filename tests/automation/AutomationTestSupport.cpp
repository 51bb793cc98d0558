#include "AutomationTestSupport.h"

#include <gtest/gtest.h>

#include "model/AppConfig.h"
#include "platform/ProgramPath.h"

namespace zor::test {

TempProgramFolder::TempProgramFolder() {
  std::filesystem::create_directory(ScenesDir());
  std::filesystem::create_directory(AppsDir());
  AppConfig::Instance().SetFolders(WidePath((Root() / "zorkvm").string()));
}

std::string Le32(uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
  return out;
}

std::string Le64(uint64_t value) {
  return Le32(static_cast<uint32_t>(value)) + Le32(static_cast<uint32_t>(value >> 32));
}

std::string Text8(const std::string& bytes) {
  return Le32(static_cast<uint32_t>(bytes.size())) + bytes;
}

std::string Text16(std::u16string_view text) {
  std::string out = Le32(static_cast<uint32_t>(text.size()));
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

ItemAction PointAction(ActionCode code, int32_t x, int32_t y, int32_t x2, int32_t y2) {
  ItemAction a;
  a.Code = code;
  a.X = x;
  a.Y = y;
  a.X2 = x2;
  a.Y2 = y2;
  return a;
}

ItemAction KeyAction(uint8_t usage, uint8_t modifier) {
  ItemAction a;
  a.Code = ActionCode::Key;
  a.KeyUsage = usage;
  a.KeyModifier = modifier;
  return a;
}

ItemAction TextAction(ActionCode code, std::u16string text) {
  ItemAction a;
  a.Code = code;
  a.Text = std::move(text);
  return a;
}

std::shared_ptr<Item> MakeItem(std::u16string name, bool active) {
  auto item = std::make_shared<Item>();
  item->Name = std::move(name);
  item->Active = active;
  return item;
}

SceneData MakeTwoItemScene() {
  SceneData scene;
  scene.Name = u"로그인 화면";
  scene.Description = u"첫 화면";
  scene.Script = u"scene script";
  for (int32_t i = 0; i < 2; ++i) {
    auto item = MakeItem(i == 0 ? u"확인 버튼" : u"ITEM2");
    item->Index = i;
    item->AnalysisType = i + 1;
    item->Reserved = 7;
    item->CaptureLeft = 100 + i;
    item->CaptureTop = -200;
    item->CaptureWidth = 3;
    item->CaptureHeight = 2;
    item->ClickOffsetX = 5;
    item->ClickOffsetY = -3;
    item->WorkOffsetX = -10;
    item->WorkOffsetY = -20;
    item->WorkWidth = 300;
    item->WorkHeight = 400;
    item->Color = 0xFF00FF80u;
    item->Threshold = 0.8f;
    item->Script = u"action CLK\nset cooldown 2000";
    item->Params = {{u"BinThreshold", u"128"}, {u"설명", u"값"}};
    item->Template.Width = 3;
    item->Template.Height = 2;
    for (int b = 0; b < 3 * 2 * 4; ++b)
      item->Template.Pixels.push_back(static_cast<uint8_t>(b * 11 + i));
    scene.Items.push_back(item);
  }
  return scene;
}

}  // namespace zor::test
