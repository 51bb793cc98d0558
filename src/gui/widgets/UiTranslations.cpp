#include "gui/widgets/UiTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

#include "platform/Diag.h"

namespace zor {
namespace {

// Where the .qm files are: installed beside the program's share folder, or in the build tree
// when the program (or a test) runs from there.
QStringList TranslationFolders() {
  return {QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zorkvm/translations"),
          QStringLiteral(ZORKVM_BUILD_TRANSLATIONS_DIR)};
}

bool LoadProgramTranslation(QTranslator& translator, const QString& code) {
  for (const QString& folder : TranslationFolders()) {
    if (translator.load(QStringLiteral("zorkvm_") + code, folder)) return true;
  }
  return false;
}

// The translators in use; QCoreApplication keeps only pointers to them.
struct InstalledTranslators {
  std::unique_ptr<QTranslator> program;
  std::unique_ptr<QTranslator> qt;
};

InstalledTranslators& Installed() {
  static InstalledTranslators installed;
  return installed;
}

void Replace(std::unique_ptr<QTranslator>& slot, std::unique_ptr<QTranslator> next) {
  if (slot) QCoreApplication::removeTranslator(slot.get());
  slot = std::move(next);
  if (slot) QCoreApplication::installTranslator(slot.get());
}

// Qt's own texts (standard buttons); none for English, which is Qt's source language.
std::unique_ptr<QTranslator> QtTranslation(UiLanguage language, const QString& code) {
  if (language == UiLanguage::English) return nullptr;
  auto qt = std::make_unique<QTranslator>();
  if (qt->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return qt;
  diag::Write("ui", "no Qt translation qtbase_" + code.toStdString() + ".qm; standard buttons stay in English");
  return nullptr;
}

}  // namespace

QString StoredLanguageChoice(const QSettings& settings) {
  return settings.value(kLanguageSettingKey, QString::fromLatin1(kFollowSystemLanguage)).toString();
}

void StoreLanguageChoice(QSettings& settings, const QString& choice) { settings.setValue(kLanguageSettingKey, choice); }

UiLanguage StartLanguage() {
  const QSettings settings;
  return ChooseUiLanguage(QLocale::system().name().toStdString(), StoredLanguageChoice(settings).toStdString());
}

bool InstallUiLanguage(UiLanguage language) {
  const QString code = QString::fromStdString(LanguageCode(language));
  auto program = std::make_unique<QTranslator>();
  const bool loaded = LoadProgramTranslation(*program, code);
  if (!loaded) {
    diag::Write("ui", "no translation zorkvm_" + code.toStdString() + ".qm; texts stay in their English source");
    program.reset();
  }
  Replace(Installed().program, std::move(program));
  Replace(Installed().qt, QtTranslation(language, code));
  return loaded;
}

}  // namespace zor
