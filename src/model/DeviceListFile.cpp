#include "model/DeviceListFile.h"

#include "model/AppConfig.h"
#include "platform/BinaryReader.h"
#include "platform/Diag.h"
#include "platform/FileIO.h"
#include "platform/ProgramPath.h"

namespace zor {
namespace {

// Smallest record on disk: 10 u32 fields, 6 empty texts (u32 each) and the u64 app count.
constexpr size_t kMinRecordBytes = 10 * 4 + 6 * 4 + 8;
// Smallest app name on disk: its empty text's u32 count.
constexpr size_t kMinTextBytes = 4;

// Texts of this file that do not convert from code page 949 read as empty texts.
bool ReadText(BinaryReader& in, std::u16string& text) {
  return in.ReadText949(text, BinaryReader::Invalid949::EmptyText);
}

bool ReadRecord(BinaryReader& in, DeviceInfo& d) {
  uint64_t app_count = 0;
  bool ok = in.ReadU32(d.Type) && ReadText(in, d.Name) && in.ReadU32(d.ScreenWidth) &&
            in.ReadU32(d.ScreenHeight) && in.ReadU32(d.Reserved) && ReadText(in, d.ConnectIP) &&
            in.ReadU32(d.Port) && in.ReadU32(d.CtrlPort) && ReadText(in, d.UserId) &&
            ReadText(in, d.UserPassword) && ReadText(in, d.CtrlId) &&
            ReadText(in, d.CtrlPassword) && in.ReadU32(d.ThumbQuality) && in.ReadU32(d.ThumbFps) &&
            in.ReadU32(d.FullQuality) && in.ReadU32(d.FullFps) && in.ReadU64(app_count);
  if (!ok || !in.CanHold(app_count, kMinTextBytes)) return false;
  d.Apps.resize(static_cast<size_t>(app_count));
  for (auto& app : d.Apps) {
    if (!ReadText(in, app)) return false;
  }
  return true;
}

void WriteRecord(BinaryWriter& out, const DeviceInfo& d) {
  out.WriteU32(d.Type);
  out.WriteText949(d.Name);
  out.WriteU32(d.ScreenWidth);
  out.WriteU32(d.ScreenHeight);
  out.WriteU32(d.Reserved);
  out.WriteText949(d.ConnectIP);
  out.WriteU32(d.Port);
  out.WriteU32(d.CtrlPort);
  out.WriteText949(d.UserId);
  out.WriteText949(d.UserPassword);
  out.WriteText949(d.CtrlId);
  out.WriteText949(d.CtrlPassword);
  out.WriteU32(d.ThumbQuality);
  out.WriteU32(d.ThumbFps);
  out.WriteU32(d.FullQuality);
  out.WriteU32(d.FullFps);
  out.WriteU64(d.Apps.size());
  for (const auto& app : d.Apps) out.WriteText949(app);
}

}  // namespace

std::string EncodeDeviceList(const DeviceList& devices) {
  const AppConfig& config = AppConfig::Instance();
  BinaryWriter out;
  out.WriteText949(config.Title);
  out.WriteText949(config.Version);
  out.WriteText949(config.FileVersion);
  out.WriteU32(static_cast<uint32_t>(devices.size()));
  for (const auto& d : devices) WriteRecord(out, *d);
  return out.bytes();
}

LoadResult DecodeDeviceList(std::string_view bytes, DeviceList& devices) {
  BinaryReader in(bytes);
  std::u16string title;
  if (!ReadText(in, title) || title != AppConfig::Instance().Title) {
    diag::Write("shell", u"LoadDeviceList: foreign title: " + title);
    return {ReadProblem::ForeignTitle, 0, {}};
  }
  std::u16string ignored_version;
  uint32_t count = 0;
  ReadText(in, ignored_version);
  ReadText(in, ignored_version);
  in.ReadU32(count);
  devices.clear();
  for (uint32_t i = 0; i < count; ++i) {
    auto device = std::make_unique<DeviceInfo>();
    if (!in.CanHold(1, kMinRecordBytes) || !ReadRecord(in, *device)) {
      return LoadResult::DamagedAt(in.position());  // a record cut short is dropped whole
    }
    devices.push_back(std::move(device));
  }
  if (in.failed() || in.remaining() != 0) return LoadResult::DamagedAt(in.position());
  return {};
}

LoadResult LoadDeviceList(const std::u16string& path, DeviceList& devices) {
  std::string bytes;
  const LoadResult read = ReadWholeFile(NativePath(path), kMaxConfigFileBytes, bytes);
  if (!read) {
    diag::Write("shell", u"LoadDeviceList: cannot open " + path);
    return read;
  }
  return DecodeDeviceList(bytes, devices);
}

SaveResult SaveDeviceList(const std::u16string& path, const DeviceList& devices) {
  return WriteFileAtomically(NativePath(path), EncodeDeviceList(devices));
}

}  // namespace zor
