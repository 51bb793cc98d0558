// The core's diagnostic lines in the GUI program: each reaches its module's Qt logging category
// when Qt's rules or ZORKVM_DEBUG turn that category on, and nothing is written otherwise.
#include <QLoggingCategory>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "gui/widgets/DiagCategories.h"
#include "platform/Diag.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

struct Logged {
  std::string category;
  std::string text;
};
std::vector<Logged> g_logged;  // written by the handler on this test's own thread only

void Record(QtMsgType, const QMessageLogContext& context, const QString& text) {
  g_logged.push_back({context.category != nullptr ? context.category : "", text.toStdString()});
}

struct RouteCase {
  const char* name;
  const char* qt_rules;
  const char* zorkvm_debug;  // nullptr: not set
  const char* core_category;
  const char* expected;      // Qt category of the line, or "" when nothing is written
};

const RouteCase kRoutes[] = {
    {"drivers_by_qt_rule", "zorkvm.device.debug=true", nullptr, "drivers", "zorkvm.device"},
    {"websocket_by_qt_rule", "zorkvm.device.debug=true", nullptr, "websocket", "zorkvm.device"},
    {"other_module_stays_silent", "zorkvm.device.debug=true", nullptr, "automation", ""},
    {"shell_to_ui", "zorkvm.ui.debug=true", nullptr, "shell", "zorkvm.ui"},
    {"automation_by_zorkvm_debug", "", "automation", "automation", "zorkvm.automation"},
    {"editor_by_zorkvm_debug_list", "", "analysis,editor", "editor", "zorkvm.editor"},
    {"analysis_by_zorkvm_debug_all", "", "all", "analysis", "zorkvm.analysis"},
    {"silent_by_default", "", nullptr, "client", ""},
};

class LoggingCategoriesTest : public test::WithQtApp, public ::testing::TestWithParam<RouteCase> {
 protected:
  void SetUp() override {
    g_logged.clear();
    previous_ = qInstallMessageHandler(&Record);
  }
  void TearDown() override {
    qInstallMessageHandler(previous_);
    unsetenv("ZORKVM_DEBUG");
    QLoggingCategory::setFilterRules({});
    diag::SetSink({});
    diag::SetEnabledCategories("");
  }
  QtMessageHandler previous_ = nullptr;
};

TEST_P(LoggingCategoriesTest, CoreLineReachesItsModuleCategory) {
  const RouteCase& c = GetParam();
  if (c.zorkvm_debug != nullptr) setenv("ZORKVM_DEBUG", c.zorkvm_debug, 1);
  QLoggingCategory::setFilterRules(QString::fromLatin1(c.qt_rules));
  RouteCoreDiagnosticsToQt();
  diag::Write(c.core_category, "a line");
  if (*c.expected == '\0') {
    EXPECT_TRUE(g_logged.empty()) << g_logged.front().category;
    EXPECT_FALSE(diag::Enabled(c.core_category)) << "the core does not even format the line";
    return;
  }
  ASSERT_EQ(g_logged.size(), 1u);
  EXPECT_EQ(g_logged[0].category, c.expected);
  EXPECT_EQ(g_logged[0].text, "a line");
}

INSTANTIATE_TEST_SUITE_P(Routes, LoggingCategoriesTest, ::testing::ValuesIn(kRoutes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zor
