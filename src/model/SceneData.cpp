#include "model/SceneData.h"

#include <algorithm>
#include <optional>
#include <string>

#include "model/AppConfig.h"
#include "model/StoredName.h"
#include "platform/BinaryReader.h"
#include "platform/Diag.h"
#include "platform/FileIO.h"
#include "platform/ProgramPath.h"

namespace zor {
namespace {

// Smallest Item block on disk: index, engine type, an empty name, the thirteen 4-byte fields,
// an empty script, the 8-byte parameter count, template width, height and an empty pixel count.
constexpr size_t kMinItemBytes = 4 + 4 + 4 + 13 * 4 + 4 + 8 + 4 + 4 + 4;
// Smallest parameter on disk: two empty texts.
constexpr size_t kMinParamBytes = 4 + 4;
// Items per Scene we accept. The editor places Items by hand on one screen, so real Scenes
// hold a few dozen; the limit keeps a hostile count from costing more memory than the file.
constexpr uint32_t kMaxSceneItems = 10000;
// Analysis parameters per Item we accept; the engines know about a dozen keys.
constexpr uint64_t kMaxItemParams = 10000;

// Scene texts keep what converts: an invalid byte becomes '?', not an empty text.
bool ReadText(BinaryReader& in, std::u16string& text) {
  return in.ReadText949(text, BinaryReader::Invalid949::ReplaceEach);
}

void WriteItem(BinaryWriter& out, const Item& item) {
  out.WriteI32(item.Index);
  out.WriteI32(item.AnalysisType);
  out.WriteText949(item.Name);
  for (int32_t value : {item.Reserved, item.CaptureLeft, item.CaptureTop, item.CaptureWidth,
                        item.CaptureHeight, item.ClickOffsetX, item.ClickOffsetY, item.WorkOffsetX,
                        item.WorkOffsetY, item.WorkWidth, item.WorkHeight}) {
    out.WriteI32(value);
  }
  out.WriteU32(item.Color);
  out.WriteF32(item.Threshold);
  out.WriteText949(item.Script);
  out.WriteU64(item.Params.size());
  for (const auto& param : item.Params) {
    out.WriteText949(param.Key);
    out.WriteText949(param.Value);
  }
  out.WriteI32(item.Template.Width);
  out.WriteI32(item.Template.Height);
  out.WriteU32(static_cast<uint32_t>(item.Template.Pixels.size()));
  const auto* pixels = reinterpret_cast<const char*>(item.Template.Pixels.data());
  out.WriteBytes(std::string_view(pixels, item.Template.Pixels.size()));
}

bool ReadParams(BinaryReader& in, std::vector<ItemParam>& params) {
  uint64_t count = 0;
  if (!in.ReadU64(count) || count > kMaxItemParams || !in.CanHold(count, kMinParamBytes)) {
    return false;
  }
  params.resize(static_cast<size_t>(count));
  for (auto& param : params) {
    if (!ReadText(in, param.Key) || !ReadText(in, param.Value)) return false;
  }
  return true;
}

bool ReadTemplate(BinaryReader& in, TemplateImage& image) {
  uint32_t byte_count = 0;
  std::string_view pixels;
  if (!in.ReadI32(image.Width) || !in.ReadI32(image.Height) || !in.ReadU32(byte_count) ||
      !in.ReadBytes(byte_count, pixels)) {
    return false;
  }
  const auto* first = reinterpret_cast<const uint8_t*>(pixels.data());
  image.Pixels.assign(first, first + pixels.size());  // same element type: one memcpy
  return true;
}

// False when the file ends or turns implausible inside the block; the Item is then dropped.
bool ReadItem(BinaryReader& in, Item& item) {
  bool ok = in.ReadI32(item.Index) && in.ReadI32(item.AnalysisType) && ReadText(in, item.Name);
  for (int32_t* field : {&item.Reserved, &item.CaptureLeft, &item.CaptureTop, &item.CaptureWidth,
                         &item.CaptureHeight, &item.ClickOffsetX, &item.ClickOffsetY,
                         &item.WorkOffsetX, &item.WorkOffsetY, &item.WorkWidth, &item.WorkHeight}) {
    ok = ok && in.ReadI32(*field);
  }
  return ok && in.ReadU32(item.Color) && in.ReadF32(item.Threshold) &&
         ReadText(in, item.Script) && ReadParams(in, item.Params) &&
         ReadTemplate(in, item.Template);
}

}  // namespace

void SceneData::Clear() {
  Items.clear();
  Name.clear();
  Description.clear();
  Script.clear();
}

std::string SceneData::Encode() const {
  BinaryWriter out;
  out.WriteText949(Name);
  out.WriteText949(Description);
  out.WriteText949(Script);
  out.WriteU32(static_cast<uint32_t>(Items.size()));
  for (const auto& item : Items) WriteItem(out, *item);
  return out.bytes();
}

LoadResult SceneData::Decode(std::string_view bytes) {
  BinaryReader in(bytes);
  // A text that cannot be read is empty; once a read fails the reader fails every later one.
  Name.clear();
  Description.clear();
  Script.clear();
  ReadText(in, Name);
  ReadText(in, Description);
  ReadText(in, Script);
  const size_t count_at = in.position();
  uint32_t count = 0;
  in.ReadU32(count);
  std::optional<size_t> stopped_at;
  if (count > kMaxSceneItems) {
    stopped_at = count_at;
    diag::Write("automation", "SceneData::Load() item count " + std::to_string(count) +
                                  " above the limit; reading the first " +
                                  std::to_string(kMaxSceneItems));
    count = kMaxSceneItems;
  }
  Items.reserve(Items.size() + std::min<size_t>(count, in.remaining() / kMinItemBytes));
  for (uint32_t i = 0; i < count; ++i) {
    auto item = std::make_shared<Item>();
    if (!ReadItem(in, *item)) {  // an Item cut short is dropped whole, with all after it
      stopped_at = stopped_at.value_or(in.position());
      break;
    }
    Items.push_back(std::move(item));
  }
  if (!stopped_at && (in.failed() || in.remaining() != 0)) stopped_at = in.position();
  return stopped_at ? LoadResult::DamagedAt(*stopped_at) : LoadResult{};
}

SaveResult SceneData::SaveToPath(const std::u16string& path) const {
  return WriteFileAtomically(NativePath(path), Encode());
}

LoadResult SceneData::LoadFromPath(const std::u16string& path) {
  std::string bytes;
  const LoadResult read = ReadWholeFile(NativePath(path), kMaxSceneFileBytes, bytes);
  if (!read) {
    diag::Write("automation", u"SceneData::Load: cannot open " + path);
    return read;
  }
  return Decode(bytes);
}

namespace {

constexpr char kRefusedName[] = "the name would leave the Scenes folder";

// The Scene's file path for a file name "<scene name>.scene"; false when the name, with or
// without its extension, would leave the Scenes folder.
bool SceneFilePath(const std::u16string& file_name, std::u16string& path) {
  std::u16string_view stem = file_name;
  const std::u16string_view extension = kSceneExtension;
  if (stem.ends_with(extension)) stem.remove_suffix(extension.size());
  if (!IsSafeStoredName(stem) ||
      !StoredFilePath(AppConfig::Instance().ScenesDir, file_name, u"", path)) {
    diag::Write("automation", u"SceneData: refused file name " + file_name);
    return false;
  }
  return true;
}

}  // namespace

SaveResult SceneData::Save(const std::u16string& file_name) const {
  std::u16string path;
  if (!SceneFilePath(file_name, path)) return {kRefusedName};
  return SaveToPath(path);
}

LoadResult SceneData::Load(const std::u16string& file_name) {
  std::u16string path;
  if (!SceneFilePath(file_name, path)) return {ReadProblem::Unreadable, 0, kRefusedName};
  return LoadFromPath(path);
}

}  // namespace zor
