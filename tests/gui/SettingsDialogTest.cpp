// The gear button's Settings dialog: it shows the data folder in use and why, for each way the
// folder can have been chosen.
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/dialogs/SettingsDialog.h"
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

}  // namespace
}  // namespace zor
