#pragma once
// One Scene: a named, ordered list of Items with a description and a (stored, never run) script.
// Stored as "<name>.scene" in AppConfig::ScenesDir: binary, little-endian, texts in code page 949.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Item.h"

namespace zor {

// Largest ".scene" file we read. A Scene holds at most a few dozen Items whose templates are
// screen crops; a full 4K crop is 33 MB, so this leaves room for several and still bounds memory.
inline constexpr size_t kMaxSceneFileBytes = 256u << 20;

inline constexpr char16_t kSceneExtension[] = u".scene";

// How the bytes of a Scene or App file read. Loading accepts Whole and Damaged alike (a damaged
// file gives what it held up to the damage); tools tell the operator about the difference.
enum class FileReadOutcome {
  Whole,    // every field read, no bytes left over
  Damaged,  // the file ended early, held an implausible length or count, or has trailing bytes
  Foreign,  // not a file of this program (an App file whose title differs)
};

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
  // False when the name would leave the folder or the file cannot be written.
  bool Save(const std::u16string& file_name) const;
  // Reads ScenesDir + file_name, replacing the texts and appending the Items (callers Clear
  // first). False, with the Scene unchanged, when the name would leave the folder or the file
  // cannot be opened; otherwise true, with whatever a damaged file held up to the damage.
  bool Load(const std::u16string& file_name);

  // The same for any path (the command-line tool uses these).
  bool SaveToPath(const std::u16string& path) const;
  bool LoadFromPath(const std::u16string& path);

  // The file's bytes, and the bytes read into this Scene (the rules of Load).
  std::string Encode() const;
  FileReadOutcome Decode(std::string_view bytes);
};

}  // namespace zor
