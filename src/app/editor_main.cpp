#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/editor_command_line.h"
#include "files/image_files.h"
#include "window/editor_settings.h"
#include "window/interface_language.h"
#include "window/local_paths.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
  // Past a file size limit a save then fails with a message instead of the
  // signal closing the editor.
  std::signal(SIGXFSZ, SIG_IGN);
  QElapsedTimer sinceLaunch;
  sinceLaunch.start();
  // Answered before QApplication, which would need a display.
  if (const auto status = chromaloom::AnswerEditorInfoOptions({argv + 1, argv + argc}, std::cout)) return *status;
  // The window is laid out in screen pixels and shows pictures 1:1, so the
  // platform must not scale it.
  if (qEnvironmentVariableIsEmpty("QT_ENABLE_HIGHDPI_SCALING")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  chromaloom::QuietImagePluginWarnings();
  QApplication app(argc, argv);
  // The settings file is named for these: ~/.config/chromaLoom/chromaLoom.ini on Linux.
  QApplication::setOrganizationName("chromaLoom");
  QApplication::setApplicationName("chromaLoom");
  // From argv as given (Qt has taken out its own options): arguments()
  // would turn a name that is not UTF-8 into one that does not exist.
  const QStringList args = chromaloom::PathArguments(argc, argv);
  // Before any window: every caption is made in the language loaded here.
  const chromaloom::InterfaceLanguage chosen =
      chromaloom::EditorSettings(chromaloom::EditorSettings::UserFile()).Language();
  const QString missing = chromaloom::InstallTranslations(app, chromaloom::TranslationFor(chosen, QLocale::system()),
                                                          QCoreApplication::applicationDirPath());
  if (!missing.isEmpty()) std::cerr << "chromaloom: " << missing.toStdString();

  // A file named here opens once the window shows.
  chromaloom::MainWindow window(args, chromaloom::EditorSettings::UserFile());
  if (qEnvironmentVariableIsSet("CHROMALOOM_STARTUP_PROBE")) window.ProbeStartup(sinceLaunch);
  window.show();
  return QApplication::exec();
}
