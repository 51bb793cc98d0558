#include "gui/widgets/WatchdogDefaults.h"

#include <algorithm>

namespace zor {
namespace {

const QString kNoSignalKey = QStringLiteral("automation/no_signal_seconds");
const QString kStallKey = QStringLiteral("automation/stall_minutes");

// A stored value out of range (an edited settings file) is brought into it.
int StoredInt(const QSettings& settings, const QString& key, int fallback, int max) {
  bool ok = false;
  const int value = settings.value(key, fallback).toInt(&ok);
  return ok ? std::clamp(value, 0, max) : fallback;
}

}  // namespace

WatchdogTimes StoredWatchdogTimes(const QSettings& settings) {
  const WatchdogTimes defaults;
  return {StoredInt(settings, kNoSignalKey, defaults.no_signal_seconds, kMaxNoSignalSeconds),
          StoredInt(settings, kStallKey, defaults.stall_minutes, kMaxStallMinutes)};
}

void StoreWatchdogTimes(QSettings& settings, const WatchdogTimes& times) {
  settings.setValue(kNoSignalKey, times.no_signal_seconds);
  settings.setValue(kStallKey, times.stall_minutes);
}

WatchdogSettings StoredWatchdogSettings() {
  const WatchdogTimes times = StoredWatchdogTimes(QSettings());
  WatchdogSettings settings;
  settings.no_signal_ms = int64_t{times.no_signal_seconds} * 1000;
  settings.stall_ms = int64_t{times.stall_minutes} * 60'000;
  return settings;
}

}  // namespace zor
