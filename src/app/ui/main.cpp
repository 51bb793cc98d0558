// The zorkvm program: the desktop client. It reads no command line; its files live beside it.
#include <QApplication>
#include <QIcon>

#include "app/AppConfig.h"
#include "app/ui/DiagCategories.h"
#include "app/ui/MainWindow.h"
#include "app/ui/UiTheme.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  zor::RouteCoreDiagnosticsToQt();
  zor::AppConfig::Instance().InitResources();
  zor::LoadThemeFonts();
  zor::InitGuiResources();
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zorkvm/zorkvm.png")));

  auto* window = new zor::MainWindow;
  // The window deletes itself once its confirmed close has shut everything down.
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return app.exec();
}
