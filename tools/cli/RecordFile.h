#pragma once
// The shared shape of zorkvm-cli's file commands for Scenes and Apps: read a file strictly
// (a damaged or foreign file is an error here, unlike in the program, which loads what it can),
// and write a file from JSON on standard input.
#include <exception>
#include <nlohmann/json.hpp>
#include <string>

#include "CliCommand.h"
#include "JsonFields.h"
#include "automation/SceneData.h"
#include "platform/FileIO.h"
#include "platform/ProgramPath.h"

namespace zor::cli {

// Reads the file at `path` into `record` (a SceneData or AppInfo); 0, or the failure's exit code.
template <class Record>
int ReadRecordFile(const std::string& path, size_t max_bytes, const std::string& kind,
                   Record& record) {
  const auto bytes = ReadWholeFile(path, max_bytes);
  if (!bytes) {
    return Fail("cannot read '" + path + "' (missing, not a regular file, or over " +
                std::to_string(max_bytes) + " bytes)");
  }
  switch (record.Decode(*bytes)) {
    case FileReadOutcome::Whole:
      return 0;
    case FileReadOutcome::Foreign:
      return Fail("'" + path + "' is not a file of this program (its title differs)");
    case FileReadOutcome::Damaged:
      break;
  }
  return Fail("'" + path + "' is a damaged " + kind + " file");
}

// Parses standard input as JSON, builds the record with `from_json` and saves it at `path`.
template <class FromJson>
int WriteRecordFromStdin(const std::string& path, const std::string& kind, FromJson from_json) {
  try {
    const auto record = from_json(ReadJsonFromStdin());
    if (!record.SaveToPath(WidePath(path))) return Fail("cannot write '" + path + "'");
  } catch (const std::exception& e) {
    return Fail("malformed " + kind + " JSON: " + e.what());
  }
  return 0;
}

}  // namespace zor::cli
