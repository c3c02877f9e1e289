#include "app/converter_language.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace chromaloom {

std::unique_ptr<QTranslator> ConverterMessages() {
  if (QLocale::system().language() != QLocale::Russian) return nullptr;
  // No application object here: the converter stays light for thumbnailers.
  const QDir programFolder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absoluteDir();
  auto messages = std::make_unique<QTranslator>();
  for (const QString& place :
       {programFolder.filePath("translations"), programFolder.filePath("../share/chromaloom/translations")})
    if (messages->load("chromaloom_ru", place)) return messages;
  return nullptr;
}

}  // namespace chromaloom
