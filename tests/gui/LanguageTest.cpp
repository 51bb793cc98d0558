// The GUI in each of its languages: a dialog, a question with Qt's standard buttons and a tooltip
// come out in the language installed, the Settings dialog stores the operator's choice, and the
// translation files leave nothing untranslated.
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include "gui/dialogs/SettingsDialog.h"
#include "gui/widgets/UiTranslations.h"
#include "gui/window/MainWindow.h"
#include "gui/window/TopBar.h"
#include "support/gui/QtTestSupport.h"

namespace zor {
namespace {

constexpr int kSettingsButtonId = 1102;

struct LanguageCase {
  UiLanguage language;
  const char* settings_title;
  const char* quit_caption;
  const char* quit_question;
  const char* no_button;  // Qt's own translation of the standard button
  const char* settings_tip;
};

class LanguageTest : public test::WithQtApp, public ::testing::Test {
 protected:
  // The test programs speak Korean; whatever a test installs, the next one starts in Korean.
  ~LanguageTest() override { InstallUiLanguage(UiLanguage::Korean); }

  test::ProgramFolder folder_;
};

TEST_F(LanguageTest, DialogQuestionAndTooltipSpeakTheInstalledLanguage) {
  const LanguageCase cases[] = {
      {UiLanguage::Korean, "설정", "종료 확인", "프로그램을 종료하시겠습니까?", "아니요(&N)", "설정"},
      {UiLanguage::English, "Settings", "Confirm exit", "Quit the program?", "&No", "Settings"},
  };
  for (const LanguageCase& c : cases) {
    SCOPED_TRACE(LanguageCode(c.language));
    ASSERT_TRUE(InstallUiLanguage(c.language));
    const SettingsDialog settings(nullptr, SettingsRows(AppConfig::Instance()));
    EXPECT_EQ(settings.windowTitle(), QString::fromUtf8(c.settings_title));

    MainWindow window;
    window.show();
    EXPECT_EQ(window.Top()->Button(kSettingsButtonId)->toolTip(), QString::fromUtf8(c.settings_tip));

    QString no_text;
    test::MessageSeen seen;
    test::OnNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return;
      seen = {box->windowTitle(), box->text(), box->icon(), true};
      no_text = box->button(QMessageBox::No)->text();
      box->button(QMessageBox::No)->click();
    });
    window.close();
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.caption, QString::fromUtf8(c.quit_caption));
    EXPECT_EQ(seen.text, QString::fromUtf8(c.quit_question));
    EXPECT_EQ(no_text, QString::fromUtf8(c.no_button));
  }
}

// QSettings write into a temporary folder while it lives, not into the user's configuration.
class TemporarySettings {
 public:
  TemporarySettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path()); }
  ~TemporarySettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }

 private:
  QTemporaryDir dir_;
};

TEST_F(LanguageTest, SettingsDialogStoresTheChoiceForTheNextStart) {
  const TemporarySettings settings;
  EXPECT_EQ(StoredLanguageChoice(QSettings()), QString::fromLatin1(kFollowSystemLanguage));
  {
    SettingsDialog dialog(nullptr, SettingsRows(AppConfig::Instance()));
    EXPECT_EQ(dialog.Language()->currentIndex(), 0) << "nothing stored: the system decides";
    dialog.Language()->setCurrentIndex(2);
  }
  EXPECT_EQ(StoredLanguageChoice(QSettings()), "en");
  EXPECT_EQ(StartLanguage(), UiLanguage::English);
  EXPECT_EQ(QCoreApplication::translate("zor::MainWindow", "Quit the program?"),
            QStringLiteral("프로그램을 종료하시겠습니까?"))
      << "the language in use changes only at the next start";

  const SettingsDialog reopened(nullptr, SettingsRows(AppConfig::Instance()));
  EXPECT_EQ(reopened.Language()->currentText(), "English");
}

// Every message of a .ts file, and whether its translation is finished and not empty.
struct TsCount {
  int messages = 0;
  int finished = 0;
  QStringList unfinished;  // "context: source" of the others
};

TsCount CountTranslations(const QString& path) {
  QFile file(path);
  TsCount count;
  if (!file.open(QIODevice::ReadOnly)) return count;
  QXmlStreamReader xml(&file);
  QString context;
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"name") context = xml.readElementText();
    else if (xml.name() == u"source") source = xml.readElementText();
    else if (xml.name() == u"message") ++count.messages;
    else if (xml.name() == u"translation") {
      const bool marked = !xml.attributes().value("type").isEmpty();  // "unfinished", "vanished"...
      const bool empty = xml.readElementText().isEmpty();
      if (marked || empty) count.unfinished << context + ": " + source;
      else ++count.finished;
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return count;
}

TEST(TranslationFilesTest, EveryTextIsTranslatedInBothLanguages) {
  const QString folder = QStringLiteral(ZORKVM_TEST_DATA_DIR "/../../translations/");
  std::vector<int> sizes;
  for (const char* file : {"zorkvm_ko.ts", "zorkvm_en.ts"}) {
    const TsCount count = CountTranslations(folder + file);
    EXPECT_GT(count.messages, 0) << file;
    EXPECT_EQ(count.finished, count.messages) << file << ": " << count.unfinished.join("\n").toStdString();
    sizes.push_back(count.messages);
  }
  EXPECT_EQ(sizes[0], sizes[1]) << "both files hold the same texts";
}

}  // namespace
}  // namespace zor
