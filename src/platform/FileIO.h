#pragma once
// Whole-file reads that never block and say why they failed, and crash-safe writes that say why
// they failed.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/LoadResult.h"

namespace zor {

// Reads the whole regular file at `path` into `bytes`. Opens without blocking (a FIFO or device
// in place of a file is refused, never waited on). The result is Missing, NotRegularFile,
// TooLarge (over max_bytes) or Unreadable (with the system's message), or a whole result.
LoadResult ReadWholeFile(const std::string& path, size_t max_bytes, std::string& bytes);

// What a save did: `failure` is empty when the file was saved, otherwise it says why, in the
// system's words where the system refused ("No space left on device").
struct SaveResult {
  std::string failure;
  explicit operator bool() const { return failure.empty(); }
};

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. A symbolic link at `path` is followed: its final target is replaced, the link stays.
// On any failure the temporary is removed and the old file is left as it was. After a success,
// temporaries of the same file left behind by saves that died midway are removed.
SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// The text the system gives for an errno value.
std::string SystemMessage(int error_number);

}  // namespace zor
