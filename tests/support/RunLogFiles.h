#pragma once
// What a run log's folder holds, for the tests of the logs: its files, its lines and the size of
// its pictures.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "device/JpegDecoder.h"
#include "support/JsonLines.h"
#include "support/TempDir.h"

namespace zor::test {

// The names of the folder's files ending in `ending`, sorted.
inline std::vector<std::string> FilesEndingIn(const std::string& folder, const std::string& ending) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every byte of the folder's files.
inline uintmax_t FolderBytes(const std::string& folder) {
  uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) bytes += entry.file_size();
  return bytes;
}

// The lines of the folder's one log file; empty (with a failure) unless there is exactly one.
inline std::vector<nlohmann::json> OnlyLogLines(const std::string& folder) {
  const std::vector<std::string> logs = FilesEndingIn(folder, ".jsonl");
  EXPECT_EQ(logs.size(), 1u) << folder;
  if (logs.size() != 1) return {};
  return JsonLines(ReadFile(folder + "/" + logs.front()));
}

// The width and height of the JPEG file; 0 x 0 when it does not decode.
inline std::pair<uint32_t, uint32_t> PictureSize(const std::string& path) {
  const std::string bytes = ReadFile(path);
  JpegContext context;
  std::vector<uint8_t> pixels;
  uint32_t width = 0, height = 0;
  if (!DecodeJpeg(context, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), pixels, width, height)) {
    return {0, 0};
  }
  return {width, height};
}

// The lines of one event, in order.
inline std::vector<nlohmann::json> LinesOf(const std::vector<nlohmann::json>& lines, const std::string& event) {
  std::vector<nlohmann::json> found;
  for (const auto& line : lines) {
    if (line.is_object() && line.value("event", "") == event) found.push_back(line);
  }
  return found;
}

}  // namespace zor::test
