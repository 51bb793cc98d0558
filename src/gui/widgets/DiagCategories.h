#pragma once

namespace zor {

// Sends the core's enabled diagnostic lines to Qt's logging category "zorkvm.core".
void RouteCoreDiagnosticsToQt();

}  // namespace zor
