// The GUI in each of its languages: a dialog, a question with Qt's standard buttons and a tooltip
// come out in the language installed, the Settings dialog stores the operator's choice, and the
// translation files hold every text of the sources, translated.
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>

#include "gui/dialogs/SettingsDialog.h"
#include "gui/widgets/UiTranslations.h"
#include "gui/window/MainWindow.h"
#include "gui/window/TopBar.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
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

TEST_F(LanguageTest, SettingsDialogStoresTheChoiceForTheNextStart) {
  const test::TemporarySettings settings;
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

// The entries of a .ts file: "context: source" -> whether its translation is finished and not
// empty.
std::map<QString, bool> ReadTsEntries(const QString& path) {
  std::map<QString, bool> entries;
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  QXmlStreamReader xml(&file);
  QString context;
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"name") {
      context = xml.readElementText();
    } else if (xml.name() == u"source") {
      source = xml.readElementText();
    } else if (xml.name() == u"translation") {
      const bool marked = !xml.attributes().value("type").isEmpty();  // "unfinished", "vanished"...
      entries[context + ": " + source] = !marked && !xml.readElementText().isEmpty();
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return entries;
}

const QString kSourceFolder = QStringLiteral(ZORKVM_TEST_DATA_DIR "/../../");
const char* const kTsFiles[] = {"translations/zorkvm_ko.ts", "translations/zorkvm_en.ts"};

TEST(TranslationFilesTest, EveryEntryIsTranslatedInBothLanguages) {
  for (const char* file : kTsFiles) {
    const std::map<QString, bool> entries = ReadTsEntries(kSourceFolder + file);
    EXPECT_FALSE(entries.empty()) << file;
    for (const auto& [text, finished] : entries) EXPECT_TRUE(finished) << file << ": " << text.toStdString();
  }
}

// lupdate over today's sources finds no text that the translation files lack.
TEST(TranslationFilesTest, EveryTextOfTheSourcesHasAnEntry) {
  const test::TempDir temp;
  const std::string scanned = temp.File("scanned.ts");
  const std::string src = (kSourceFolder + "src").toStdString();
  const test::ProgramResult lupdate = test::RunProgram(
      ZORKVM_LUPDATE, {"-no-obsolete", "-locations", "none", "-I", src, src + "/gui", src + "/presentation", "-ts", scanned});
  ASSERT_EQ(lupdate.exit_code, 0) << lupdate.out << lupdate.err;
  const std::map<QString, bool> in_sources = ReadTsEntries(QString::fromStdString(scanned));
  EXPECT_FALSE(in_sources.empty());
  for (const char* file : kTsFiles) {
    const std::map<QString, bool> entries = ReadTsEntries(kSourceFolder + file);
    for (const auto& [text, finished] : in_sources) {
      EXPECT_TRUE(entries.contains(text)) << file << " lacks " << text.toStdString()
                                          << " (run the update_translations target and scripts/fill-translations.py)";
    }
  }
}

}  // namespace
}  // namespace zor
