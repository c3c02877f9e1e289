#include "app/command_line_language.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace chromaloom {

std::unique_ptr<QTranslator> CommandLineMessages() {
  if (QLocale::system().language() != QLocale::Russian) return nullptr;
  // No application object here: the converter stays light for thumbnailers,
  // and the editor answers --help before it opens a display.
  const QDir programFolder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absoluteDir();
  auto messages = std::make_unique<QTranslator>();
  for (const QString& place :
       {programFolder.filePath("translations"), programFolder.filePath("../share/chromaloom/translations")})
    if (messages->load("chromaloom_ru", place)) return messages;
  return nullptr;
}

std::string Say(const UserText& text, const QTranslator* messages) {
  return text.Shown([messages](const char* pattern) {
    return messages ? messages->translate("Messages", pattern).toStdString() : std::string();
  });
}

}  // namespace chromaloom
