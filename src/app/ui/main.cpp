// The zorkvm program: the desktop client. It reads no command line; its files live beside it.
#include <QApplication>
#include <QMainWindow>

#include "app/AppConfig.h"
#include "app/ui/DiagCategories.h"
#include "app/ui/QtText.h"
#include "platform/HeapResidency.h"

int main(int argc, char* argv[]) {
  // Before any thread exists: analysis buffers then stay resident between frames.
  zor::KeepFreedMemoryResident();
  QApplication app(argc, argv);
  zor::RouteCoreDiagnosticsToQt();
  zor::AppConfig& config = zor::AppConfig::Instance();
  config.InitResources();

  QMainWindow window;
  window.setWindowTitle(zor::ToQString(config.Caption()));
  window.setMinimumSize(800, 600);
  window.resize(1920, 1080);
  window.show();
  return app.exec();
}
