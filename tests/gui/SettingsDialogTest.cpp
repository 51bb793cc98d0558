// The gear button's Settings dialog: it shows the data folder in use and why, for each way the
// folder can have been chosen.
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/dialogs/SettingsDialog.h"
#include "gui/widgets/WatchdogDefaults.h"
#include "gui/window/MainWindow.h"
#include "gui/window/TopBar.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

class SettingsDialogTest : public test::WithQtApp, public ::testing::Test {
 protected:
  test::ProgramFolder folder_;
};

TEST_F(SettingsDialogTest, GearButtonShowsTheDataFolderAndWhy) {
  MainWindow window;
  window.show();
  QString folder_shown;
  QString why_shown;
  test::OnNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<SettingsDialog*>(modal);
    if (dialog == nullptr) return;
    folder_shown = dialog->Value(0)->text();
    why_shown = dialog->Note(0)->text();
    dialog->reject();
  });
  QTest::mouseClick(window.Top()->Button(1102), Qt::LeftButton);
  EXPECT_EQ(folder_shown, folder_.Path());
  // "portable: ..." in Korean, the test programs' language
  EXPECT_TRUE(why_shown.startsWith(QStringLiteral("포터블"))) << why_shown.toStdString();
}

TEST_F(SettingsDialogTest, EachSourceOfTheFolderIsExplained) {
  std::vector<std::string> reasons;
  for (const DataFolderSource source :
       {DataFolderSource::Portable, DataFolderSource::Chosen, DataFolderSource::UserData}) {
    AppConfig::Instance().UseDataFolder(u"/srv/kvm", source);
    SettingsDialog dialog(nullptr, SettingsRows(AppConfig::Instance()));
    EXPECT_EQ(dialog.Value(0)->text(), "/srv/kvm/");
    reasons.push_back(dialog.Note(0)->text().toStdString());
  }
  EXPECT_NE(reasons[1].find("--data"), std::string::npos) << reasons[1];
  EXPECT_NE(reasons[2].find("XDG_DATA_HOME"), std::string::npos) << reasons[2];
  EXPECT_NE(reasons[0], reasons[1]);
  AppConfig::Instance().SetFolders(FromQString(folder_.Path("zorkvm")));
}

TEST_F(SettingsDialogTest, TheWatchdogTimesAreStoredForTheNextRun) {
  const test::TemporarySettings settings;
  {
    SettingsDialog dialog(nullptr, SettingsRows(AppConfig::Instance()));
    EXPECT_EQ(dialog.NoSignalSeconds()->value(), 10) << "nothing stored: the default";
    EXPECT_EQ(dialog.StallMinutes()->value(), 0);
    dialog.NoSignalSeconds()->setValue(30);
    dialog.StallMinutes()->setValue(5);
  }
  const WatchdogSettings stored = StoredWatchdogSettings();
  EXPECT_EQ(stored.no_signal_ms, 30'000);
  EXPECT_EQ(stored.stall_ms, 300'000);
}

TEST_F(SettingsDialogTest, EditedWatchdogTimesOutOfRangeAreBroughtBackIntoIt) {
  const test::TemporarySettings settings;
  struct Case {
    QVariant no_signal;
    QVariant stall;
    WatchdogTimes read;
  };
  const Case cases[] = {
      {-5, -1, {0, 0}},
      {1'000'000, 1'000'000, {kMaxNoSignalSeconds, kMaxStallMinutes}},
      {"soon", "later", {10, 0}},  // not numbers: the defaults
  };
  for (const Case& c : cases) {
    QSettings stored;
    stored.setValue("automation/no_signal_seconds", c.no_signal);
    stored.setValue("automation/stall_minutes", c.stall);
    const WatchdogTimes read = StoredWatchdogTimes(stored);
    EXPECT_EQ(read.no_signal_seconds, c.read.no_signal_seconds) << c.no_signal.toString().toStdString();
    EXPECT_EQ(read.stall_minutes, c.read.stall_minutes) << c.stall.toString().toStdString();
  }
}

}  // namespace
}  // namespace zor
