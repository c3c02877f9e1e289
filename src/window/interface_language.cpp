#include "window/interface_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace chromaloom {

namespace {

constexpr struct {
  InterfaceLanguage Language;
  std::string_view Key;
} LanguageKeys[] = {
    {InterfaceLanguage::System, "system"},
    {InterfaceLanguage::English, "english"},
    {InterfaceLanguage::Russian, "russian"},
};

// The translator lives as long as the application that uses it.
bool Load(QCoreApplication& application, const QString& name, const QStringList& folders) {
  auto* translator = new QTranslator(&application);
  for (const QString& folder : folders)
    if (translator->load(name, folder)) return QCoreApplication::installTranslator(translator);
  delete translator;
  return false;
}

}  // namespace

std::string_view LanguageKey(InterfaceLanguage language) {
  for (const auto& entry : LanguageKeys)
    if (entry.Language == language) return entry.Key;
  return LanguageKeys[0].Key;
}

std::optional<InterfaceLanguage> LanguageFromKey(std::string_view key) {
  for (const auto& entry : LanguageKeys)
    if (entry.Key == key) return entry.Language;
  return std::nullopt;
}

QString TranslationFor(InterfaceLanguage chosen, const QLocale& system) {
  switch (chosen) {
    case InterfaceLanguage::English:
      return "en";
    case InterfaceLanguage::Russian:
      return "ru";
    case InterfaceLanguage::System:
      break;
  }
  return system.language() == QLocale::Russian ? "ru" : "en";
}

QString InstallTranslations(QCoreApplication& application, const QString& translation, const QString& programFolder) {
  if (translation == "en") return {};
  QString missing;
  const QString own = "chromaloom_" + translation;
  const QStringList ownFolders = {QDir(programFolder).filePath("translations"),
                                  QDir(programFolder).filePath("../../share/chromaloom/translations")};
  if (!Load(application, own, ownFolders)) missing += own + ".qm is in neither " + ownFolders.join(" nor ") + "\n";
  // Qt's own: the buttons of message boxes and the file dialog.
  const QString qt = "qtbase_" + translation;
  if (!Load(application, qt, {QLibraryInfo::path(QLibraryInfo::TranslationsPath)}))
    missing += qt + ".qm is not in " + QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "\n";
  return missing;
}

}  // namespace chromaloom
