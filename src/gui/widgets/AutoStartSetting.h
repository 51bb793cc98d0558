#pragma once
// Whether every pane's Apps start by themselves when its device connects, for a station that
// runs unattended: on with `zorkvm --start-automation` or with the Settings dialog's check box
// (kept with QSettings). Either turns it on. GUI thread only.
#include <QSettings>

namespace zor {

bool StoredStartAutomation(const QSettings& settings);
void StoreStartAutomation(QSettings& settings, bool on);

// --start-automation was given; set once at start, before the first pane connects.
void SetStartAutomationFromCommandLine(bool on);
// The command line's or the stored choice, read when a device connects (so that a change in the
// Settings dialog counts for the panes that have not connected yet).
bool StartAutomationWhenConnected();

}  // namespace zor
