// The language of the interface: English, or Russian where the system's
// locale is Russian, unless the user chose one in View > Language. A choice
// takes effect at the next start, since every caption is made at start.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <string_view>

class QCoreApplication;

namespace chromaloom {

enum class InterfaceLanguage { System, English, Russian };

// As the settings file keeps it: "system", "english", "russian".
std::string_view LanguageKey(InterfaceLanguage language);
std::optional<InterfaceLanguage> LanguageFromKey(std::string_view key);

// The translation a start uses: "ru" or "en".
QString TranslationFor(InterfaceLanguage chosen, const QLocale& system);

// Loads chromaLoom's own and Qt's translations into the application. The
// editor's .qm files are looked for beside the program (a build tree) and in
// share/chromaloom/translations of an install; English needs none. Returns
// what could not be loaded, as lines for stderr; empty when all was found.
QString InstallTranslations(QCoreApplication& application, const QString& translation, const QString& programFolder);

}  // namespace chromaloom
