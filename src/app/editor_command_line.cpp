#include "app/editor_command_line.h"

#include "app/command_line_language.h"

#include "formats/file_kinds.h"

#ifndef CHROMALOOM_VERSION
#define CHROMALOOM_VERSION "0.91"
#endif

namespace chromaloom {

namespace {

std::string Extensions(bool images) {
  std::string list;
  for (const FileKindInfo& info : FileKinds)
    if (images ? info.Image : info.Read != nullptr) list += " " + std::string(info.Extension);
  return list;
}

}  // namespace

UserText EditorUsage() {
  return UserText::Of(QT_TRANSLATE_NOOP("Messages",
                                        "Usage: chromaloom [FILE]\n"
                                        "       chromaloom --help | --version\n"
                                        "\n"
                                        "chromaLoom edits ZX Spectrum Gigascreen and MultiGigaScreen pictures.\n"
                                        "\n"
                                        "  FILE       a picture to open or an image to import\n"
                                        "  --help     show this help and exit\n"
                                        "  --version  show the version and exit\n"
                                        "\n"
                                        "Pictures:%1\n"
                                        "Images:  %2\n"
                                        "\n"
                                        "To convert pictures or make thumbnails without a window, use\n"
                                        "chromaloom-convert (see chromaloom-convert --help).\n"),
                      {Extensions(false), Extensions(true)});
}

std::optional<int> AnswerEditorInfoOptions(const std::vector<std::string>& args, std::ostream& out) {
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") {
      out << Say(EditorUsage(), CommandLineMessages().get());
      return 0;
    }
    if (arg == "--version") {
      out << "chromaloom " << CHROMALOOM_VERSION << "\n";
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace chromaloom
