#pragma once
// One App: a named, ordered list of Scene names plus four user values that scripts can type.
// Stored as "<name>.app" in AppConfig::AppsDir: binary, little-endian, texts in UTF-16LE, opened
// by the program title as a signature. Run-time fields belong to the runner and are never stored.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/SceneData.h"

namespace zor {

// Largest ".app" file we read: a handful of texts and Scene names, a few kilobytes in practice.
inline constexpr size_t kMaxAppFileBytes = 16u << 20;

inline constexpr char16_t kAppExtension[] = u".app";

struct AppInfo {
  // --- run time ---
  int32_t Index = 0;       // position in the runner's list of Apps
  int32_t Delay = 0;       // steps the runner still skips for this App ("set delay")
  int32_t EmptyTicks = 0;  // steps since the Scene was loaded in which none of its Items was active
  // Analysis area set by "set workarea"; used only when WorkWidth > 0 and WorkHeight > 0.
  int32_t WorkLeft = 0;
  int32_t WorkTop = 0;
  int32_t WorkWidth = 0;
  int32_t WorkHeight = 0;

  // --- stored, in file order ---
  std::u16string Name;
  std::u16string Description;
  std::u16string UserId = u"TestID";          // typed by INPUT_ID
  std::u16string UserPassword = u"SamplePw";  // typed by INPUT_PASS; stored as plain text
  std::u16string UserDefine = u"TestStr";     // typed by INPUT_STR
  std::u16string UserEtc = u"TestEtc";        // typed by INPUT_ETC
  std::u16string Script;
  std::vector<std::u16string> Scenes;  // Scene names without extension, in running order

  // --- run time ---
  int32_t CurrentScene = 0;  // index into Scenes of the Scene being run
  // The loaded current Scene. Shared because the editor can lend its own Scene to a run.
  std::shared_ptr<SceneData> Scene = std::make_shared<SceneData>();
  int32_t NextStart = 0;  // position in the Scene's Items where the next selection starts
  // How the current Scene's file read; the App runs on whatever it held (nothing when missing).
  LoadResult SceneLoad;

  // Writes AppsDir + Name + ".app" through a temporary renamed over the old file.
  // Fails, saying why, when the name would leave the folder or the file cannot be written.
  SaveResult Save() const;
  // Reads AppsDir + name + ".app". When the name would leave the folder, the file cannot be read
  // or its first text is not the program title, the result says why and converts to false, and
  // the App is unchanged. Otherwise the stored fields are replaced (the App takes the name stored
  // in the file) and it converts to true; a damaged file gives what it held up to the damage.
  LoadResult Load(const std::u16string& name);
  // Removes AppsDir + Name + ".app"; false when there was no such file or it could not be removed.
  bool Delete() const;

  // The same for any path (the command-line tool uses these).
  SaveResult SaveToPath(const std::u16string& path) const;
  LoadResult LoadFromPath(const std::u16string& path);

  // The file's bytes, and the bytes read into this App (the rules of Load: a foreign title
  // leaves the App unchanged).
  std::string Encode() const;
  LoadResult Decode(std::string_view bytes);

  // Empties the Scene and loads Scenes[CurrentScene] into it (when CurrentScene is in the list),
  // keeping how that went in SceneLoad.
  void LoadCurrentScene();

  // On the current Scene: an empty name sets every Item's flag and gives true when there is at
  // least one Item; otherwise every Item named exactly `name` gets the flag and the result is
  // false. No Scene or no Items: nothing happens, false.
  bool SetItemsActive(bool active, std::u16string_view name);

  // Moves to the next Scene of the list and loads it; after the last one the App stays on it.
  void NextScene();

  // The name the list gives the current Scene; a Scene the editor lent to the run, outside the
  // list, has its own name.
  std::u16string CurrentSceneName() const;

  // True when every stored field equals the other App's.
  bool SameStoredFields(const AppInfo& other) const;
};

}  // namespace zor
