#include "gui/widgets/AutoStartSetting.h"

namespace zor {
namespace {

const QString kStartAutomationKey = QStringLiteral("automation/start_when_connected");

// Set by main() before the window exists, read on the GUI thread afterwards.
bool g_start_from_command_line = false;

}  // namespace

bool StoredStartAutomation(const QSettings& settings) { return settings.value(kStartAutomationKey, false).toBool(); }

void StoreStartAutomation(QSettings& settings, bool on) { settings.setValue(kStartAutomationKey, on); }

void SetStartAutomationFromCommandLine(bool on) { g_start_from_command_line = on; }

bool StartAutomationWhenConnected() { return g_start_from_command_line || StoredStartAutomation(QSettings()); }

}  // namespace zor
