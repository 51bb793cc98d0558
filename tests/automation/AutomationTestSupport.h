#pragma once
// Shared pieces of the automation tests: a temporary program folder that AppConfig points at,
// little-endian byte builders for expected file contents, and small Scene builders.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "model/AppInfo.h"
#include "model/SceneData.h"
#include "support/TempDir.h"

namespace zor::test {

// A fresh folder holding "Apps/" and "Scenes/" that AppConfig's folders point at while it lives.
class TempProgramFolder {
 public:
  TempProgramFolder();

  std::filesystem::path ScenesDir() const { return Root() / "Scenes"; }
  std::filesystem::path AppsDir() const { return Root() / "Apps"; }
  std::filesystem::path Root() const { return dir_.Path(); }

 private:
  TempDir dir_;
};

// Little-endian encodings for spelling out expected file bytes.
std::string Le32(uint32_t value);
std::string Le64(uint64_t value);
// A length-prefixed text of raw bytes (as ".scene" files store code page 949 text).
std::string Text8(const std::string& bytes);
// A count-prefixed UTF-16LE text (as ".app" files store texts).
std::string Text16(std::u16string_view text);

std::shared_ptr<Item> MakeItem(std::u16string name, bool active = true);

// Actions as scripts produce them: a pointer action, a key combination, a text to type.
ItemAction PointAction(ActionCode code, int32_t x, int32_t y, int32_t x2 = 0, int32_t y2 = 0);
ItemAction KeyAction(uint8_t usage, uint8_t modifier);
ItemAction TextAction(ActionCode code, std::u16string text);
// Two Items with every stored field set, Korean texts, parameters and a 3 x 2 template.
SceneData MakeTwoItemScene();

}  // namespace zor::test
