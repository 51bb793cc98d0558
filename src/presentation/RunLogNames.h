#pragma once
// The names of a run log's files and its time stamps. A run's file and pictures start with the
// device index and the run's start time, fixed width, so that a folder listed by name lists
// them by device, then run, then picture; no character is one Windows refuses in a file name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zor {

// Milliseconds since 1970-01-01 UTC.
int64_t WallClockMs();

// "2026-12-07T15:30:12.345Z": the "time" of a log line.
std::string IsoTimeUtc(int64_t utc_ms);
// "20261207T153012.345Z": the start of a run in its file names (basic ISO 8601, no colons).
std::string RunStamp(int64_t utc_ms);
// "device-003-20261207T153012.345Z.jsonl".
std::string RunLogFileName(size_t device, std::string_view stamp);
// "device-003-20261207T153012.345Z-000007-match.jpg": the run's 7th picture, taken at a
// "match". Characters of `event` other than a-z, 0-9 and '_' become '_'.
std::string RunPictureFileName(size_t device, std::string_view stamp, uint32_t picture, std::string_view event);

}  // namespace zor
