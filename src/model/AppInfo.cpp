#include "model/AppInfo.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "model/AppConfig.h"
#include "model/StoredName.h"
#include "platform/BinaryReader.h"
#include "platform/Diag.h"
#include "platform/FileIO.h"
#include "platform/ProgramPath.h"

namespace zor {
namespace {

// Smallest Scene name on disk: its empty text's count.
constexpr size_t kMinSceneNameBytes = 4;
// Scene names per App we accept. The App Manager lists them by hand, so real Apps hold a few
// dozen; the limit keeps a hostile count from costing far more memory than the file.
constexpr uint32_t kMaxAppScenes = 10000;

constexpr char kRefusedName[] = "the name would leave the Apps folder";

bool AppFilePath(std::u16string_view name, std::u16string& path) {
  if (StoredFilePath(AppConfig::Instance().AppsDir, name, kAppExtension, path)) return true;
  diag::Write("automation", u"AppInfo: refused name " + std::u16string(name));
  return false;
}

}  // namespace

std::string AppInfo::Encode() const {
  const AppConfig& config = AppConfig::Instance();
  BinaryWriter out;
  for (const std::u16string* text :
       {&config.Title, &config.Version, &config.FileVersion, &Name, &Description, &UserId,
        &UserPassword, &UserDefine, &UserEtc, &Script}) {
    out.WriteTextUtf16(*text);
  }
  out.WriteU32(static_cast<uint32_t>(Scenes.size()));
  for (const auto& scene : Scenes) out.WriteTextUtf16(scene);
  return out.bytes();
}

LoadResult AppInfo::Decode(std::string_view bytes) {
  BinaryReader in(bytes);
  std::u16string text;
  if (!in.ReadTextUtf16(text) || text != AppConfig::Instance().Title) {
    diag::Write("automation", u"AppInfo::Load: foreign title: " + text);
    return {ReadProblem::ForeignTitle, 0, {}};
  }
  in.ReadTextUtf16(text);  // version of the program that wrote the file: not used
  in.ReadTextUtf16(text);  // file version: not used
  // Past the signature a read failure leaves that text and all later ones empty.
  for (std::u16string* field :
       {&Name, &Description, &UserId, &UserPassword, &UserDefine, &UserEtc, &Script}) {
    field->clear();
    in.ReadTextUtf16(*field);
  }
  const size_t count_at = in.position();
  uint32_t count = 0;
  in.ReadU32(count);
  std::optional<size_t> stopped_at;
  if (count > kMaxAppScenes) {
    stopped_at = count_at;
    diag::Write("automation", "AppInfo::Load() scene count " + std::to_string(count) +
                                  " above the limit; reading the first " +
                                  std::to_string(kMaxAppScenes));
    count = kMaxAppScenes;
  }
  Scenes.clear();
  Scenes.reserve(std::min<size_t>(count, in.remaining() / kMinSceneNameBytes));
  for (uint32_t i = 0; i < count && in.ReadTextUtf16(text); ++i) Scenes.push_back(text);
  if (!stopped_at && (in.failed() || in.remaining() != 0)) stopped_at = in.position();
  return stopped_at ? LoadResult::DamagedAt(*stopped_at) : LoadResult{};
}

SaveResult AppInfo::SaveToPath(const std::u16string& path) const {
  return WriteFileAtomically(NativePath(path), Encode());
}

LoadResult AppInfo::LoadFromPath(const std::u16string& path) {
  std::string bytes;
  const LoadResult read = ReadWholeFile(NativePath(path), kMaxAppFileBytes, bytes);
  if (!read) {
    diag::Write("automation", u"AppInfo::Load: cannot open " + path);
    return read;
  }
  return Decode(bytes);
}

SaveResult AppInfo::Save() const {
  std::u16string path;
  if (!AppFilePath(Name, path)) return {kRefusedName};
  return SaveToPath(path);
}

LoadResult AppInfo::Load(const std::u16string& name) {
  std::u16string path;
  if (!AppFilePath(name, path)) return {ReadProblem::Unreadable, 0, kRefusedName};
  return LoadFromPath(path);
}

bool AppInfo::Delete() const {
  std::u16string path;
  if (!AppFilePath(Name, path)) return false;
  std::error_code error;
  return std::filesystem::remove(NativePath(path), error) && !error;
}

bool AppInfo::SetItemsActive(bool active, std::u16string_view name) {
  if (!Scene || Scene->Items.empty()) return false;
  for (const auto& item : Scene->Items) {
    if (name.empty() || item->Name == name) item->Active = active;
  }
  return name.empty();
}

std::u16string AppInfo::CurrentSceneName() const {
  const auto index = static_cast<size_t>(CurrentScene);
  if (CurrentScene >= 0 && index < Scenes.size()) return Scenes[index];
  return Scene ? Scene->Name : std::u16string();
}

void AppInfo::NextScene() {
  if (Scenes.empty()) return;
  const auto scene_count = static_cast<int32_t>(Scenes.size());
  if (CurrentScene >= scene_count - 1) {
    // After the last Scene the App idles on it: it stays loaded with no active Item.
    CurrentScene = scene_count - 1;
    return;
  }
  CurrentScene = std::max(CurrentScene + 1, 0);
  LoadCurrentScene();
  NextStart = 0;
  Delay = 0;
  EmptyTicks = 0;
}

void AppInfo::LoadCurrentScene() {
  if (CurrentScene < 0 || static_cast<size_t>(CurrentScene) >= Scenes.size()) return;
  if (!Scene) Scene = std::make_shared<SceneData>();
  Scene->Clear();
  SceneLoad = Scene->Load(Scenes[static_cast<size_t>(CurrentScene)] + kSceneExtension);
}

bool AppInfo::SameStoredFields(const AppInfo& o) const {
  return Name == o.Name && Description == o.Description && UserId == o.UserId &&
         UserPassword == o.UserPassword && UserDefine == o.UserDefine && UserEtc == o.UserEtc &&
         Script == o.Script && Scenes == o.Scenes;
}

}  // namespace zor
