#pragma once
// Whole-file reads and crash-safe writes.
#include <cstddef>
#include <optional>
#include <string_view>
#include <string>

namespace zor {

// Reads a whole file; nullopt if it cannot be opened or read, or is larger than max_bytes.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t max_bytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. On any failure the temporary is removed, the old file is left as it was, and the
// result is false: a crash or a full disk never destroys what was saved before.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zor
