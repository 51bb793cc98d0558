#include "presentation/RunLogNames.h"

#include <chrono>
#include <cstdio>

namespace zor {
namespace {

struct UtcParts {
  int year = 0;
  unsigned month = 0, day = 0;
  int64_t hour = 0, minute = 0, second = 0, millisecond = 0;
};

UtcParts Split(int64_t utc_ms) {
  using namespace std::chrono;
  const sys_time<milliseconds> time{milliseconds(utc_ms)};
  const sys_days day = floor<days>(time);
  const year_month_day date(day);
  const hh_mm_ss clock(time - day);
  return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
          clock.hours().count(), clock.minutes().count(), clock.seconds().count(), clock.subseconds().count()};
}

std::string Printed(const char* format, const UtcParts& t) {
  char text[40] = {};
  std::snprintf(text, sizeof text, format, t.year, t.month, t.day, static_cast<int>(t.hour),
                static_cast<int>(t.minute), static_cast<int>(t.second), static_cast<int>(t.millisecond));
  return text;
}

// The device index with three digits: a station runs tens of devices, rarely hundreds.
std::string DevicePrefix(size_t device) {
  char text[32] = {};
  std::snprintf(text, sizeof text, "device-%03zu-", device);
  return text;
}

}  // namespace

int64_t WallClockMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string IsoTimeUtc(int64_t utc_ms) { return Printed("%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", Split(utc_ms)); }

std::string RunStamp(int64_t utc_ms) { return Printed("%04d%02u%02uT%02d%02d%02d.%03dZ", Split(utc_ms)); }

std::string RunLogFileName(size_t device, std::string_view stamp) {
  return DevicePrefix(device) + std::string(stamp) + ".jsonl";
}

std::string RunPictureFileName(size_t device, std::string_view stamp, uint32_t picture, std::string_view event) {
  char number[16] = {};
  std::snprintf(number, sizeof number, "-%06u-", picture);
  std::string name = DevicePrefix(device) + std::string(stamp) + number;
  for (const char c : event) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    name += plain ? c : '_';
  }
  return name + ".jpg";
}

}  // namespace zor
