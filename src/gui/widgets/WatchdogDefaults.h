#pragma once
// The operator's watchdog times for every device's runs, kept in the program's settings and
// changed in the Settings dialog. Read at each start of a run, so a change counts from the next.
#include <QSettings>

#include "automation/RunWatchdog.h"

namespace zor {

// Longest time either setting takes: a day, as for zorkvm-cli run.
inline constexpr int kMaxNoSignalSeconds = 86400;
inline constexpr int kMaxStallMinutes = 1440;

struct WatchdogTimes {
  int no_signal_seconds = 10;  // 0: off
  int stall_minutes = 0;       // 0: off
};

WatchdogTimes StoredWatchdogTimes(const QSettings& settings);
void StoreWatchdogTimes(QSettings& settings, const WatchdogTimes& times);
// The settings of a run's watchdog from the stored times (no screen size: that is the device's).
WatchdogSettings StoredWatchdogSettings();

}  // namespace zor
