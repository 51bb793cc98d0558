#pragma once
// The GUI's language: the program's own translation (zorkvm_<code>.qm) and Qt's (qtbase_<code>.qm,
// for the standard buttons of message boxes and dialogs). GUI thread only, after the
// QApplication exists.
#include <QString>

#include "presentation/UiLanguage.h"

class QSettings;

namespace zor {

// The QSettings key of the operator's language choice ("system", "ko" or "en").
inline constexpr char kLanguageSettingKey[] = "ui/language";

// The stored choice, or "system" when there is none.
QString StoredLanguageChoice(const QSettings& settings);
void StoreLanguageChoice(QSettings& settings, const QString& choice);

// The language to start in: the system locale, unless the default QSettings hold a choice.
UiLanguage StartLanguage();

// Replaces the translations in use by those of `language`. Returns false, and writes a
// diagnostic line, when the program's own translation file cannot be loaded; the texts then
// stay in their English source form.
bool InstallUiLanguage(UiLanguage language);

}  // namespace zor
