#pragma once
// The shared shape of zorkvm-cli's file commands: read a file the way the program does (a
// damaged file gives what it held up to the damage, which the program relies on) but say so,
// and write a file from JSON on standard input.
#include <exception>
#include <nlohmann/json.hpp>
#include <string>

#include "CliCommand.h"
#include "JsonFields.h"
#include "platform/FileIO.h"
#include "platform/ProgramPath.h"

namespace zor::cli {

// Exit code of a command that did its work on a file that read only partly.
inline constexpr int kExitPartialRead = 3;

// Reads the file at `path` into `record` (a SceneData or AppInfo). Returns the failure's exit
// code when nothing could be read; otherwise 0, with `read` telling whether it read whole.
template <class Record>
int ReadRecordFile(const std::string& path, Record& record, LoadResult& read) {
  read = record.LoadFromPath(WidePath(path));
  if (!read) return Fail("cannot read '" + path + "': " + read.Reason());
  return 0;
}

// After a command's output: 0 for a whole file; for a damaged one the place where reading
// stopped goes to standard error and the result is kExitPartialRead.
int ReportPartialRead(const std::string& path, const LoadResult& read);

// Parses standard input as JSON, builds the record with `from_json` and saves it at `path`.
template <class FromJson>
int WriteRecordFromStdin(const std::string& path, const std::string& kind, FromJson from_json) {
  try {
    const auto record = from_json(ReadJsonFromStdin());
    if (const SaveResult saved = record.SaveToPath(WidePath(path)); !saved) {
      return Fail("cannot write '" + path + "': " + saved.failure);
    }
  } catch (const std::exception& e) {
    return Fail("malformed " + kind + " JSON: " + e.what());
  }
  return 0;
}

}  // namespace zor::cli
