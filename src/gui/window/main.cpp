// The zorkvm program: the desktop client. Its files live beside it when they are there (a
// portable folder), else in the folder given with --data or the user's XDG data folder.
#include <QApplication>
#include <QIcon>

#include "gui/widgets/AutoStartSetting.h"
#include "gui/widgets/DiagCategories.h"
#include "gui/widgets/UiTheme.h"
#include "gui/widgets/UiTranslations.h"
#include "gui/window/CommandLine.h"
#include "gui/window/MainWindow.h"
#include "gui/window/StartFolder.h"
#include "gui/window/WindowPicture.h"
#include "platform/HeapResidency.h"
#include "platform/HeapTrimmer.h"

int main(int argc, char* argv[]) {
  zor::DescribeApplication();
  // --help and --version print and end before anything needs a display.
  if (const auto exit_code = zor::AnswerWithoutDisplay(argc, argv)) return *exit_code;
  // Before any thread exists: analysis buffers then stay resident between frames.
  zor::KeepFreedMemoryResident();
  const zor::HeapTrimmer heap_trimmer;
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(zor::kDesktopId));
  // Before the first window or message box: every text then comes out in the chosen language.
  zor::InstallUiLanguage(zor::StartLanguage());
  zor::RouteCoreDiagnosticsToQt();
  const zor::StartOptions options = zor::ReadStartOptions();
  if (!zor::UseStartDataFolder(options.data_folder)) return 1;
  zor::SetStartAutomationFromCommandLine(options.start_automation);
  zor::LoadThemeFonts();
  zor::InitGuiResources();
  // The installed icon theme's drawing when there is one, else the copy built into the program.
  QApplication::setWindowIcon(
      QIcon::fromTheme(QString::fromLatin1(zor::kDesktopId), QIcon(QStringLiteral(":/zorkvm/zorkvm.png"))));

  auto* window = new zor::MainWindow;
  // The window deletes itself once its confirmed close has shut everything down.
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  // Unattended runs (the demo without a display) ask for a picture of the window instead of a
  // session: it is taken once every pane streams, then the program ends.
  const QString picture_path = qEnvironmentVariable("ZORKVM_SCREENSHOT");
  int exit_code = 0;
  if (!picture_path.isEmpty()) {
    zor::PictureWhenStreaming(*window, picture_path, zor::kWindowPictureTimeoutMs,
                              [&exit_code](bool saved) { exit_code = saved ? 0 : 1; });
  }
  const int loop_code = app.exec();
  return exit_code != 0 ? exit_code : loop_code;
}
