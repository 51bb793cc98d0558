#include "model/AppConfig.h"

#include "platform/ProgramPath.h"

namespace zor {

AppConfig::AppConfig()
    : DeviceTypes{{0, u"ZOR SoftKVM", u"/stream"}, {1, u"Tessel Lite", u"/api/stream/mjpeg"}},
      Resolutions{{1920, 1080, u"1920 x 1080"}},
      AnalysisModes{{u"이미지", {100, 200, 100}},  {u"패턴", {200, 100, 100}},
                    {u"2진패턴", {200, 100, 100}}, {u"디지터", {200, 100, 100}},
                    {u"2진디지터", {200, 100, 100}}, {u"칼라", {200, 100, 100}},
                    {u"OCR", {200, 100, 100}},     {u"상대영역", {200, 100, 100}},
                    {u"상대좌표", {200, 100, 100}}, {u"커스텀", {200, 100, 100}}} {}

AppConfig& AppConfig::Instance() {
  // A function-local static is built exactly once even when threads race to the first use.
  static AppConfig instance;
  return instance;
}

void AppConfig::InitResources() { SetFolders(WidePath(ProgramFilePath())); }

void AppConfig::SetFolders(const std::u16string& program_file_path) {
  const size_t last = program_file_path.find_last_of(u"/\\");
  UseDataFolder(last == std::u16string::npos ? program_file_path : program_file_path.substr(0, last),
                DataFolderSource::Portable);
}

void AppConfig::UseDataFolder(const std::u16string& folder, DataFolderSource source) {
  BaseDir = folder;
  if (BaseDir.empty() || BaseDir.back() != kSeparator) BaseDir += kSeparator;
  AppsDir = BaseDir + u"Apps" + kSeparator;
  ScenesDir = BaseDir + u"Scenes" + kSeparator;
  FolderSource = source;
}

const DeviceTypeInfo* AppConfig::FindDeviceType(uint32_t id) const {
  return id < DeviceTypes.size() ? &DeviceTypes[id] : nullptr;
}

}  // namespace zor
