#pragma once
// One Scene: a named, ordered list of Items with a description and a (stored, never run) script.
// Stored as "<name>.scene" in AppConfig::ScenesDir: binary, little-endian, texts in code page 949.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Item.h"
#include "platform/FileIO.h"

namespace zor {

// Largest ".scene" file we read. A Scene holds at most a few dozen Items whose templates are
// screen crops; a full 4K crop is 33 MB, so this leaves room for several and still bounds memory.
inline constexpr size_t kMaxSceneFileBytes = 256u << 20;

inline constexpr char16_t kSceneExtension[] = u".scene";

struct SceneData {
  std::u16string Name;
  std::u16string Description;
  std::u16string Script;
  // Evaluation and display order. Shared so that the runner can work on a snapshot of the list,
  // and run an Item or Scene that the editor owns, while the editor changes its own list.
  std::vector<std::shared_ptr<Item>> Items;

  // Drops every Item and empties the three texts.
  void Clear();

  // Writes the Scene to ScenesDir + file_name through a temporary renamed over the old file.
  // Fails, saying why, when the name would leave the folder or the file cannot be written.
  SaveResult Save(const std::u16string& file_name) const;
  // Reads ScenesDir + file_name, replacing the texts and appending the Items (callers Clear
  // first). When the name would leave the folder or the file cannot be read, the result says
  // why and converts to false, and the Scene is unchanged. Otherwise it converts to true, with
  // whatever a damaged file held up to the damage (the result is then Damaged at that byte).
  // Texts read with each byte that is not valid code page 949 replaced by '?'.
  LoadResult Load(const std::u16string& file_name);

  // The same for any path (the command-line tool uses these).
  SaveResult SaveToPath(const std::u16string& path) const;
  LoadResult LoadFromPath(const std::u16string& path);

  // The file's bytes, and the bytes read into this Scene (the rules of Load).
  std::string Encode() const;
  LoadResult Decode(std::string_view bytes);
};

}  // namespace zor
