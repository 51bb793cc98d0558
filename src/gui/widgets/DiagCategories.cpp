#include "gui/widgets/DiagCategories.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdlib>

#include "platform/Diag.h"

namespace zor {

// Debug output of every category is off until QT_LOGGING_RULES or ZORKVM_DEBUG turns it on.
Q_LOGGING_CATEGORY(lcClient, "zorkvm.client", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDevice, "zorkvm.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAutomation, "zorkvm.automation", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAnalysis, "zorkvm.analysis", QtInfoMsg)
Q_LOGGING_CATEGORY(lcEditor, "zorkvm.editor", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "zorkvm.ui", QtInfoMsg)

namespace {

struct CategoryRoute {
  std::string_view core;
  const QLoggingCategory& (*qt)();
};

// Every category name the core writes with diag::Write.
const std::array<CategoryRoute, 8> kRoutes = {{
    {"client", &lcClient},
    {"drivers", &lcDevice},
    {"websocket", &lcDevice},
    {"automation", &lcAutomation},
    {"analysis", &lcAnalysis},
    {"editor", &lcEditor},
    {"shell", &lcUi},
    {"ui", &lcUi},
}};

// ZORKVM_DEBUG's categories as Qt filter rules, set before the environment's QT_LOGGING_RULES,
// which Qt applies last and so can still turn them off.
void EnableZorkvmDebugCategories() {
  const char* env = std::getenv("ZORKVM_DEBUG");
  if (env == nullptr || *env == '\0') return;
  const QString spec = QString::fromLocal8Bit(env);
  const bool all = spec == "1" || spec == "all" || spec == "*";
  const QStringList named = spec.split(',', Qt::SkipEmptyParts);
  QStringList rules;
  for (const CategoryRoute& route : kRoutes) {
    const QString core = QString::fromLatin1(route.core.data(), static_cast<qsizetype>(route.core.size()));
    if (all || named.contains(core)) rules << QString::fromLatin1(route.qt().categoryName()) + ".debug=true";
  }
  QLoggingCategory::setFilterRules(rules.join('\n'));
}

}  // namespace

const QLoggingCategory& QtCategoryOf(std::string_view core_category) {
  for (const CategoryRoute& route : kRoutes) {
    if (route.core == core_category) return route.qt();
  }
  return lcClient();
}

void RouteCoreDiagnosticsToQt() {
  EnableZorkvmDebugCategories();
  // The core formats a line only for an enabled category, so it is told which ones Qt shows.
  std::string enabled;
  for (const CategoryRoute& route : kRoutes) {
    if (route.qt().isDebugEnabled()) enabled += std::string(route.core) + ",";
  }
  diag::SetEnabledCategories(enabled);
  // Called on whichever thread wrote the line (device, worker or GUI thread); Qt's logging is
  // thread-safe.
  diag::SetSink([](std::string_view category, std::string_view line) {
    const QLoggingCategory& qt = QtCategoryOf(category);
    if (!qt.isDebugEnabled()) return;
    QMessageLogger(nullptr, 0, nullptr, qt.categoryName()).debug().noquote()
        << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  });
}

}  // namespace zor
