// The device dialog and the App Manager, filled from real files in a temporary program folder
// and driven through their widgets.
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/dialogs/AppManagerDialog.h"
#include "gui/dialogs/DeviceDialog.h"
#include "model/AppInfo.h"
#include "support/gui/QtTestSupport.h"
#include "ui_AppManagerDialog.h"
#include "ui_DeviceDialog.h"

namespace zor {
namespace {

class DialogsTest : public test::WithQtApp, public ::testing::Test {
 protected:
  void Touch(const QString& relative) {
    QFile f(folder_.Path(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  void SaveApp(const std::u16string& name, std::vector<std::u16string> scenes) {
    AppInfo app;
    app.Name = name;
    app.Scenes = std::move(scenes);
    ASSERT_TRUE(app.Save());
  }
  static QStringList Entries(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i) out << list.item(i)->text();
    return out;
  }
  static void DoubleClick(QListWidget& list, int row) {
    list.setCurrentRow(row);
    emit list.itemDoubleClicked(list.item(row));
  }
  test::ProgramFolder folder_;
};

TEST_F(DialogsTest, OkStoresTheListChoicesAndKeepsEmptiedTexts) {
  DeviceInfo device;
  device.ThumbFps = 12;
  device.UserId = u"admin";
  device.Type = 1;
  DeviceDialog dialog(nullptr, device);
  auto& c = dialog.Controls();
  EXPECT_EQ(c.thumbFpsCombo->currentText(), "4");
  EXPECT_EQ(c.typeCombo->currentText(), "Tessel Lite");
  c.userIdEdit->clear();
  c.connectIpEdit->setText("127.0.0.9");
  c.portEdit->setText("8080");
  QTest::mouseClick(c.okButton, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), kDialogOk);
  EXPECT_EQ(device.ThumbFps, 4u);
  EXPECT_EQ(device.UserId, u"admin");
  EXPECT_EQ(device.ConnectIP, u"127.0.0.9");
  EXPECT_EQ(device.Port, 8080u);
  EXPECT_EQ(device.Type, 1u);
}

TEST_F(DialogsTest, TheNameFieldEditsTheRecordsName) {
  DeviceInfo device;
  device.Name = u"Kiosk 3";
  DeviceDialog dialog(nullptr, device, DeviceDialogPurpose::Edit);
  auto& c = dialog.Controls();
  EXPECT_EQ(c.nameEdit->text(), "Kiosk 3");
  c.nameEdit->setText("Front desk");
  QTest::mouseClick(c.okButton, Qt::LeftButton);
  EXPECT_EQ(device.Name, u"Front desk");
}

TEST_F(DialogsTest, TheTitleSaysWhetherTheDialogAddsOrEdits) {
  DeviceInfo device;
  const DeviceDialog adding(nullptr, device, DeviceDialogPurpose::Add);
  const DeviceDialog editing(nullptr, device, DeviceDialogPurpose::Edit);
  EXPECT_EQ(adding.windowTitle(), QCoreApplication::translate("zor::DeviceDialog", "Device Add"));
  EXPECT_EQ(editing.windowTitle(), QCoreApplication::translate("zor::DeviceDialog", "Device Edit"));
}

TEST_F(DialogsTest, CancelLeavesTheRecordAlone) {
  DeviceInfo device;
  const DeviceInfo before = device;
  DeviceDialog dialog(nullptr, device);
  dialog.Controls().portEdit->setText("1");
  dialog.Controls().nameEdit->setText("not kept");
  QTest::mouseClick(dialog.Controls().cancelButton, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), kDialogCancel);
  EXPECT_EQ(device, before);
}

TEST_F(DialogsTest, DeviceAppsMoveBetweenTheLists) {
  Touch("Apps/mail.app");
  Touch("Apps/bank.app");
  Touch("Apps/zeta.APP");  // another case: not an App file
  DeviceInfo device;
  device.Apps = {u"mail", u"gone"};
  DeviceDialog dialog(nullptr, device);
  auto& c = dialog.Controls();
  EXPECT_EQ(Entries(*c.selectAppList), (QStringList{"mail", "gone"}));
  EXPECT_EQ(Entries(*c.appList), (QStringList{"bank"}));
  // "▶" with "mail" selected: it goes to the sorted App List, "gone" is selected next.
  c.selectAppList->setCurrentRow(0);
  QTest::mouseClick(c.moveToAppListButton, Qt::LeftButton);
  EXPECT_EQ(Entries(*c.appList), (QStringList{"bank", "mail"}));
  EXPECT_EQ(c.selectAppList->currentItem()->text(), "gone");
  // Double click in the App List moves to the end of Select App.
  DoubleClick(*c.appList, 0);
  EXPECT_EQ(Entries(*c.selectAppList), (QStringList{"gone", "bank"}));
  // "◀" with nothing selected: the notice, nothing moves.
  c.appList->clearSelection();
  c.appList->setCurrentRow(-1);
  test::MessageSeen notice;
  test::AnswerNextMessage(notice, QMessageBox::Ok);
  QTest::mouseClick(c.moveToSelectButton, Qt::LeftButton);
  EXPECT_TRUE(notice.seen);
  EXPECT_EQ(notice.text, "이동할 항목을 선택해주세요.");
  QTest::mouseClick(c.okButton, Qt::LeftButton);
  EXPECT_EQ(device.Apps, (std::vector<std::u16string>{u"gone", u"bank"}));
}

TEST_F(DialogsTest, AppManagerOpensAnAppAndMovesItsScenes) {
  for (const char* s : {"Scenes/login.scene", "Scenes/farm.scene", "Scenes/quit.scene"}) Touch(s);
  SaveApp(u"daily", {u"login\n", u"  ", u"farm"});
  AppManagerDialog dialog(nullptr);
  auto& c = dialog.Controls();
  EXPECT_EQ(Entries(*c.appList), (QStringList{"daily"}));
  EXPECT_EQ(Entries(*c.sceneList), (QStringList{"farm", "login", "quit"}));
  DoubleClick(*c.appList, 0);
  EXPECT_EQ(c.appNameEdit->text(), "daily");
  EXPECT_EQ(c.userIdEdit->text(), "TestID");
  EXPECT_EQ(Entries(*c.selectSceneList), (QStringList{"login", "farm"}));
  EXPECT_EQ(Entries(*c.sceneList), (QStringList{"quit"}));
  DoubleClick(*c.sceneList, 0);
  EXPECT_EQ(Entries(*c.selectSceneList), (QStringList{"login", "farm", "quit"}));
  // Out of Select Scene: the entry now at the old position is selected.
  DoubleClick(*c.selectSceneList, 1);
  EXPECT_EQ(Entries(*c.sceneList), (QStringList{"farm"}));
  EXPECT_EQ(c.selectSceneList->currentItem()->text(), "quit");
  // With no selection: the notice.
  c.selectSceneList->clearSelection();
  c.selectSceneList->setCurrentRow(-1);
  test::MessageSeen notice;
  test::AnswerNextMessage(notice, QMessageBox::Ok);
  dialog.RemoveSelectedScene();
  EXPECT_EQ(notice.text, "이동할 항목을 선택해주세요.");
  // "◀" and "▶" do nothing.
  const QStringList selected = Entries(*c.selectSceneList);
  c.sceneList->setCurrentRow(0);
  QTest::mouseClick(c.toSelectSceneButton, Qt::LeftButton);
  QTest::mouseClick(c.toSceneListButton, Qt::LeftButton);
  EXPECT_EQ(Entries(*c.selectSceneList), selected);
  EXPECT_EQ(Entries(*c.sceneList), (QStringList{"farm"}));
}

TEST_F(DialogsTest, AppManagerSavesDeletesAndSavesAgainFromMemory) {
  Touch("Scenes/login.scene");
  AppManagerDialog dialog(nullptr);
  auto& c = dialog.Controls();
  c.appNameEdit->setText("night");
  c.userIdEdit->setText("kim");
  c.scriptEdit->setPlainText(QString(400, 'x'));  // longer than a one-line edit holds
  DoubleClick(*c.sceneList, 0);  // "login" moves to Select Scene
  dialog.Save();
  EXPECT_EQ(Entries(*c.appList), (QStringList{"night"}));
  AppInfo saved;
  ASSERT_TRUE(saved.Load(u"night"));
  EXPECT_EQ(saved.UserId, u"kim");
  EXPECT_EQ(saved.UserPassword, u"SamplePw");  // left as shown: the App's default
  EXPECT_EQ(saved.Script.size(), 400u);
  EXPECT_EQ(saved.Scenes, (std::vector<std::u16string>{u"login"}));

  test::MessageSeen asked;
  test::AnswerNextMessage(asked, QMessageBox::No);
  dialog.Delete();
  EXPECT_NE(asked.text.indexOf("night"), -1) << "the question names the App";
  ASSERT_TRUE(saved.Load(u"night")) << "answering No keeps it";

  test::MessageSeen done;
  test::AnswerMessagesInTurn({{&asked, QMessageBox::Yes}, {&done, QMessageBox::Ok}});
  dialog.Delete();
  EXPECT_EQ(done.text, "애플리케이션 정보가 삭제되었습니다.");
  EXPECT_EQ(Entries(*c.sceneList), (QStringList{"login"})) << "its Scene is free again at once";
  EXPECT_TRUE(c.appNameEdit->text().isEmpty());
  EXPECT_EQ(c.selectSceneList->count(), 0);
  EXPECT_EQ(c.appList->count(), 0);

  test::MessageSeen failed;
  test::AnswerMessagesInTurn({{&asked, QMessageBox::Yes}, {&failed, QMessageBox::Ok}});
  dialog.Delete();  // the file is gone
  EXPECT_EQ(failed.text, "삭제할 파일이 없거나 실패했습니다.");

  // Save with every edit empty writes the App held in memory again, without Scenes.
  dialog.Save();
  AppInfo again;
  ASSERT_TRUE(again.Load(u"night"));
  EXPECT_EQ(again.UserId, u"kim");
  EXPECT_TRUE(again.Scenes.empty());
}

TEST_F(DialogsTest, AppManagerRefusesToSaveAnAppWithoutAUsableName) {
  AppManagerDialog dialog(nullptr);
  auto& c = dialog.Controls();
  for (const QString& name : {QString(), QString("a/b")}) {
    c.appNameEdit->setText(name);
    test::MessageSeen refused;
    test::AnswerNextMessage(refused, QMessageBox::Ok);
    dialog.Save();
    EXPECT_TRUE(refused.seen) << name.toStdString();
    EXPECT_EQ(refused.icon, QMessageBox::Warning);
  }
  EXPECT_EQ(c.appList->count(), 0);
  EXPECT_FALSE(QFile::exists(folder_.Path("Apps/.app")));
}

}  // namespace
}  // namespace zor
