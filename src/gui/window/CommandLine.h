#pragma once
// zorkvm's command line (QCommandLineParser): --help, --version, --data DIR and
// --start-automation. --help and
// --version are answered before the QApplication exists, so they need no display.
#include <QString>
#include <optional>

namespace zor {

// The reverse-DNS name of the program's desktop entry, AppStream metainfo and icon.
inline constexpr char kDesktopId[] = "com.zorware.zorkvm";

// Sets the application name and version that QCommandLineParser and QStandardPaths read.
void DescribeApplication();

// Answers --help and --version (printing to standard output) and returns the exit code, before
// any QApplication exists; nullopt when the program is to start.
std::optional<int> AnswerWithoutDisplay(int argc, char** argv);

struct StartOptions {
  QString data_folder;            // --data DIR; empty when not given
  bool start_automation = false;  // --start-automation
};

// Reads the options once the QApplication has taken its own (-platform...); a bad command line
// prints why and ends the program with exit code 1, as QCommandLineParser::process does.
StartOptions ReadStartOptions();

}  // namespace zor
