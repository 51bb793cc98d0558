#include "gui/widgets/DiagCategories.h"

#include <QLoggingCategory>

#include "platform/Diag.h"

Q_LOGGING_CATEGORY(lcZorCore, "zorkvm.core")

namespace zor {

void RouteCoreDiagnosticsToQt() {
  // The core's lines are enabled by ZORKVM_DEBUG; once enabled they are written through Qt's
  // logging so that QT_LOGGING_RULES and message handlers see them too.
  diag::SetSink([](std::string_view category, std::string_view line) {
    qCDebug(lcZorCore).noquote() << QString::fromUtf8(category.data(), static_cast<qsizetype>(category.size()))
                                 << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  });
}

}  // namespace zor
