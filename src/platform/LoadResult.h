#pragma once
// How reading one of the program's files went. Loading keeps the rule that a damaged file gives
// what it held up to the damage; this record says whether that happened and why, so that the
// tools and the runner can tell the operator.
#include <cstdint>
#include <string>

namespace zor {

enum class ReadProblem : uint8_t {
  None,            // every field read, no bytes left over
  Missing,         // no file at the path
  NotRegularFile,  // a folder, FIFO, device or socket stands at the path
  TooLarge,        // larger than the reader accepts for this kind of file
  Unreadable,      // the system refused to open or read it (system_message says why)
  ForeignTitle,    // not a file of this program: its first text is not the program title
  Damaged,         // ended early, held an implausible length or count, or has trailing bytes
};

struct LoadResult {
  ReadProblem problem = ReadProblem::None;
  // Damaged: offset of the first byte that was not used (where reading stopped).
  uint64_t stopped_at_byte = 0;
  // Unreadable: the system's text.
  std::string system_message;

  static LoadResult DamagedAt(uint64_t offset) { return {ReadProblem::Damaged, offset, {}}; }

  bool Whole() const { return problem == ReadProblem::None; }
  // True when the record took the file's contents: all of them, or everything up to the damage.
  explicit operator bool() const {
    return problem == ReadProblem::None || problem == ReadProblem::Damaged;
  }
  // "missing", "not a regular file", "too large", "foreign title", "damaged at byte N", or
  // "unreadable: " and the system's text; empty when whole.
  std::string Reason() const;
};

}  // namespace zor
