#pragma once
// The device list file "config.ini": binary, little-endian, texts in code page 949.
// Header: Title, Version, FileVersion texts, then a u32 record count and the records.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/DeviceInfo.h"

namespace zor {

using DeviceList = std::vector<std::unique_ptr<DeviceInfo>>;

inline constexpr char16_t kConfigFileName[] = u"config.ini";

// Largest "config.ini" we read; a real one is a few kilobytes per device.
inline constexpr size_t kMaxConfigFileBytes = 64u << 20;

// Loads the device list from `path`. False, with `devices` unchanged, if the file cannot be opened
// or its first text is not AppConfig::Title. Otherwise the list is replaced and the result is
// true; a file that ends before the records it announces keeps the records read whole so far.
bool LoadDeviceList(const std::u16string& path, DeviceList& devices);

// Writes the list to `path` through a temporary file renamed over the old one. False (and the old
// file intact) if it cannot be written.
bool SaveDeviceList(const std::u16string& path, const DeviceList& devices);

// The file's bytes for a list, and the list read from bytes (the same rules as the file functions).
std::string EncodeDeviceList(const DeviceList& devices);
bool DecodeDeviceList(std::string_view bytes, DeviceList& devices);

}  // namespace zor
