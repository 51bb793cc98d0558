#pragma once
// The GUI's logging: one Qt logging category per module, silent by default, so that
// QT_LOGGING_RULES (for example "zorkvm.device.debug=true") turns a module's lines on. The core's
// diagnostic lines reach them through the core's sink.
#include <QLoggingCategory>
#include <string_view>

namespace zor {

Q_DECLARE_LOGGING_CATEGORY(lcClient)      // zorkvm.client: panes, sessions, connections
Q_DECLARE_LOGGING_CATEGORY(lcDevice)      // zorkvm.device: drivers and their transports
Q_DECLARE_LOGGING_CATEGORY(lcAutomation)  // zorkvm.automation: runner, workers, App and Scene files
Q_DECLARE_LOGGING_CATEGORY(lcAnalysis)    // zorkvm.analysis: matching engines
Q_DECLARE_LOGGING_CATEGORY(lcEditor)      // zorkvm.editor: the scene editor
Q_DECLARE_LOGGING_CATEGORY(lcUi)          // zorkvm.ui: windows, dialogs, fonts, device list, folders

// The Qt category of a core diagnostic category ("drivers" -> zorkvm.device); an unknown one
// goes to zorkvm.client.
const QLoggingCategory& QtCategoryOf(std::string_view core_category);

// Sends the core's diagnostic lines to the Qt categories. A core category is enabled when its Qt
// category's debug output is, or when ZORKVM_DEBUG names it (which then enables the Qt category
// too, unless QT_LOGGING_RULES says otherwise). Call once the QApplication exists; call it again
// after changing Qt's filter rules.
void RouteCoreDiagnosticsToQt();

}  // namespace zor
