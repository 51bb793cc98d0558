#pragma once
// The process-wide record of fixed settings: title and version, folders and the built-in tables
// (device types, resolutions, analysis modes). It holds no user data; the GUI's look is its own.
// Built once on first use (thread-safe); after InitResources nothing changes, so readers
// on any thread need no lock.
#include <cstdint>
#include <string>
#include <vector>

#include "model/DataFolder.h"
#include "platform/ProgramVersion.h"

namespace zor {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct DeviceTypeInfo {
  uint32_t id = 0;
  std::u16string label;
  std::u16string stream_path;
};

struct ResolutionInfo {
  int32_t width = 0;
  int32_t height = 0;
  std::u16string label;
};

struct AnalysisModeInfo {
  std::u16string name;
  Rgb colour;
};

class AppConfig {
 public:
  static AppConfig& Instance();

  // Fills BaseDir, AppsDir and ScenesDir from the program's own path.
  void InitResources();
  // The same rule for a given program file path: everything before the last '/' or '\\', plus
  // the separator; a path with neither is taken whole. Tools use it to point at another folder.
  void SetFolders(const std::u16string& program_file_path);
  // Uses `folder` itself as BaseDir (the program chose it by the DataFolder rule), and records why.
  void UseDataFolder(const std::u16string& folder, DataFolderSource source);

  const std::u16string Title = u"ZORWARE Macro KVM";
  const std::u16string Version = kProgramVersionUtf16;
  const std::u16string FileVersion = u"1.0";
  std::u16string BaseDir;
  std::u16string AppsDir;
  std::u16string ScenesDir;
  // Why BaseDir is the folder it is; the folder of the program unless the program chose another.
  DataFolderSource FolderSource = DataFolderSource::Portable;
  const std::vector<DeviceTypeInfo> DeviceTypes;
  const std::vector<ResolutionInfo> Resolutions;
  const std::vector<AnalysisModeInfo> AnalysisModes;

  // Title, " Ver ", Version: "ZORWARE Macro KVM Ver <version>"
  std::u16string Caption() const { return Title + u" Ver " + Version; }
  // Row of DeviceTypes for a type id, or nullptr for an unknown id.
  const DeviceTypeInfo* FindDeviceType(uint32_t id) const;

 private:
  AppConfig();
  // The separator of this platform, appended to folders.
  static constexpr char16_t kSeparator = u'/';
};

}  // namespace zor
