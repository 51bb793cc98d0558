#pragma once
// The device list file "config.ini": binary, little-endian, texts in code page 949.
// Header: Title, Version, FileVersion texts, then a u32 record count and the records.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/DeviceInfo.h"
#include "platform/FileIO.h"

namespace zor {

using DeviceList = std::vector<std::unique_ptr<DeviceInfo>>;

inline constexpr char16_t kConfigFileName[] = u"config.ini";

// Largest "config.ini" we read; a real one is a few kilobytes per device.
inline constexpr size_t kMaxConfigFileBytes = 64u << 20;

// Loads the device list from `path`. When the file cannot be read or its first text is not
// AppConfig::Title, the result says why and converts to false, with `devices` unchanged.
// Otherwise the list is replaced; a file that ends before the records it announces keeps the
// records read whole so far, and the result is Damaged at the byte where reading stopped.
// Texts that are not valid code page 949 read as empty texts.
LoadResult LoadDeviceList(const std::u16string& path, DeviceList& devices);

// Writes the list to `path` through a temporary file renamed over the old one (following a
// symbolic link to its target). On failure the old file is intact and the result says why.
SaveResult SaveDeviceList(const std::u16string& path, const DeviceList& devices);

// The file's bytes for a list, and the list read from bytes (the same rules as the file functions).
std::string EncodeDeviceList(const DeviceList& devices);
LoadResult DecodeDeviceList(std::string_view bytes, DeviceList& devices);

}  // namespace zor
