// The editor's own command line: what it answers without opening a window.
#pragma once

#include <QTranslator>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "picture/translated_text.h"

namespace chromaloom {

UserText EditorUsage();

// --help and --version are answered on out before any window system is
// needed, --help in the language of messages where there are any; the exit
// status then, else nullopt and the editor starts. args excludes the program
// name; "--" ends the options.
std::optional<int> AnswerEditorInfoOptions(const std::vector<std::string>& args, std::ostream& out,
                                           const QTranslator* messages = nullptr);

}  // namespace chromaloom
