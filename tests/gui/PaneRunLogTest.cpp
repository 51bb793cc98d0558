// The run logs of the GUI: the Settings dialog's folder, and a pane's run that writes its log
// there (or says why it cannot) on the offscreen platform, with frames handed over by the test.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/dialogs/SettingsDialog.h"
#include "gui/pane/DevicePane.h"
#include "gui/pane/ThumbnailView.h"
#include "gui/widgets/RunLogSetting.h"
#include "gui/widgets/StateIconButton.h"
#include "support/Frames.h"
#include "support/RecordingOwner.h"
#include "support/RunProgram.h"
#include "support/RunLogFiles.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"
#include "support/Wait.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

class PaneRunLogTest : public test::WithQtApp, public ::testing::Test {
 protected:
  PaneRunLogTest() {
    device_.Type = 7;  // no driver: the test hands the frames over
    device_.Apps = {u"NoFile"};  // an App without a file runs with no Scene: enough for a worker
    device_.ScreenWidth = 64;
    device_.ScreenHeight = 48;
  }
  void UseLogFolder(const std::string& folder) {
    QSettings settings;
    StoreRunLogFolder(settings, QString::fromStdString(folder));
  }
  void Click(DevicePane& pane) { QTest::mouseClick(pane.Button(kButtonAutomation), Qt::LeftButton); }
  bool DetailBecomes(DevicePane& pane, const QString& text) {
    return test::WaitUntil([&] {
      QApplication::processEvents();
      return pane.Thumb()->StateDetail() == text;
    });
  }

  const test::TemporarySettings settings_;
  const test::ProgramFolder program_;
  const test::TempDir dir_;
  DeviceInfo device_;
};

TEST_F(PaneRunLogTest, TheSettingsDialogKeepsTheFolderForTheNextRun) {
  {
    SettingsDialog dialog(nullptr, SettingsRows(AppConfig::Instance()));
    EXPECT_EQ(dialog.RunLogFolder()->text(), "") << "nothing stored: no logs";
    QTest::keyClicks(dialog.RunLogFolder(), " /srv/kvm-logs ");
  }
  EXPECT_EQ(RunLogFolderSetting(), "/srv/kvm-logs");
  const SettingsDialog reopened(nullptr, SettingsRows(AppConfig::Instance()));
  EXPECT_EQ(reopened.RunLogFolder()->text(), "/srv/kvm-logs");
}

TEST_F(PaneRunLogTest, APanesRunWritesItsLogWithAPictureOfThePause) {
  const std::string logs = dir_.File("logs");
  UseLogFolder(logs);
  DevicePane pane(nullptr, device_, 2, nullptr);
  pane.Session()->OnFrame(test::MakeNoiseFrame(64, 48, 1));
  Click(pane);
  pane.Session()->OnFrame(test::MakeNoiseFrame(32, 24, 2));  // not the record's size: paused
  const QString paused =
      QCoreApplication::translate("zor::DevicePane", "automation paused: the screen is not %1 x %2").arg(64).arg(48);
  ASSERT_TRUE(DetailBecomes(pane, paused)) << pane.Thumb()->StateDetail().toStdString();
  Click(pane);  // stop: the log is complete
  const std::vector<std::string> files = test::FilesEndingIn(logs, ".jsonl");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].rfind("device-002-", 0), 0u) << files[0];
  const auto pauses = test::LinesOf(test::OnlyLogLines(logs), "paused");
  ASSERT_EQ(pauses.size(), 1u);
  EXPECT_EQ(pauses[0]["reason"], "screen_size");
  EXPECT_EQ(test::PictureSize(logs + "/" + pauses[0].value("picture", "?")), std::make_pair(32u, 24u));
}

TEST_F(PaneRunLogTest, AFolderThatCannotTakeTheLogIsShownAndTheAppsRunAllTheSame) {
  test::WriteFile(dir_.File("plain-file"), "not a folder");
  UseLogFolder(dir_.File("plain-file/logs"));
  DevicePane pane(nullptr, device_, 0, nullptr);
  pane.Session()->OnFrame(test::MakeNoiseFrame(64, 48, 1));
  Click(pane);
  const QString detail = pane.Thumb()->StateDetail();
  EXPECT_TRUE(detail.contains(QString::fromStdString("cannot create the log folder '" + dir_.File("plain-file/logs"))))
      << detail.toStdString();
  EXPECT_EQ(pane.Button(kButtonAutomation)->State(), 1) << "running";
}

class PaneRunLogLive : public PaneRunLogTest {};

// The device connects, decodes, analyses and clicks on a loaded 2-core machine: generous.
constexpr int kFirstMatchTimeoutMs = 120000;

TEST_F(PaneRunLogLive, ARunOnTheSimulatorLogsTheFirstMatchWithThePictureOfTheScreen) {
  const test::ProgramResult demo =
      test::RunProgram(ZORKVM_TOOLS_DIR "/zorkvm-cli", {"demo-folder", program_.Path().toStdString(), "480x270"});
  ASSERT_EQ(demo.exit_code, 0) << demo.err;
  test::SimProcessOptions options;
  options.extra_args = {"--size", "480x270"};
  test::SimProcess sim(options);
  ASSERT_TRUE(sim.Ready()) << sim.Messages();
  DeviceInfo device = test::SoftKvmDevice(u"127.0.0.1", sim.Port(), 480, 270);
  device.Apps = {u"Demo"};
  const std::string logs = dir_.File("logs");
  UseLogFolder(logs);
  DevicePane pane(nullptr, device, 1, nullptr);
  pane.PressConnect();
  Click(pane);
  std::vector<nlohmann::json> matches;
  const bool matched = test::WaitUntil(
      [&] {
        QApplication::processEvents();
        const std::vector<std::string> files = test::FilesEndingIn(logs, ".jsonl");
        if (files.size() != 1) return false;
        matches = test::LinesOf(test::JsonLines(test::ReadFile(logs + "/" + files[0])), "match");
        return !matches.empty();
      },
      kFirstMatchTimeoutMs);
  ASSERT_TRUE(matched) << sim.Messages();
  Click(pane);  // stop: the log is complete
  EXPECT_EQ(matches[0]["device"], 1);
  EXPECT_EQ(test::PictureSize(logs + "/" + matches[0].value("picture", "?")), std::make_pair(480u, 270u));
}

}  // namespace
}  // namespace zor
