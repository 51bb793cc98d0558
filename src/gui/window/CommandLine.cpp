#include "gui/window/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include "platform/ProgramVersion.h"

namespace zor {
namespace {

const QCommandLineOption& DataOption() {
  static const QCommandLineOption option(
      QStringList{QStringLiteral("data")},
      QStringLiteral("Keep config.ini, Apps and Scenes in DIR (created when missing), instead of beside the "
                     "program (when config.ini, Apps or Scenes are there) or in $XDG_DATA_HOME/zorkvm."),
      QStringLiteral("DIR"));
  return option;
}

const QCommandLineOption& StartAutomationOption() {
  static const QCommandLineOption option(
      QStringList{QStringLiteral("start-automation")},
      QStringLiteral("Start every device's Apps as soon as the device shows its screen, for a station that runs "
                     "unattended (as the Settings dialog's \"Start automation when a device connects\")."));
  return option;
}

// The one description of the command line, for both passes over it.
void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("Operates several remote computers through KVM-over-IP devices and automates work on them."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(DataOption());
  parser.addOption(StartAutomationOption());
}

}  // namespace

void DescribeApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("zorkvm"));
  // QSettings then keeps the operator's settings in ~/.config/zorkvm/zorkvm.conf.
  QCoreApplication::setOrganizationName(QStringLiteral("zorkvm"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
}

std::optional<int> AnswerWithoutDisplay(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  Describe(parser);
  // Unknown options may be Qt's own (-platform ...): the second pass judges them.
  parser.parse(arguments);
  const bool answers = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
                       parser.isSet(QStringLiteral("version"));
  if (!answers) return std::nullopt;
  // A core application is enough to print; it needs no display. process() prints and exits.
  QCoreApplication core(argc, argv);
  DescribeApplication();
  parser.process(core);
  return 0;
}

StartOptions ReadStartOptions() {
  QCommandLineParser parser;
  Describe(parser);
  parser.process(QCoreApplication::arguments());
  return {parser.value(DataOption()), parser.isSet(StartAutomationOption())};
}

}  // namespace zor
