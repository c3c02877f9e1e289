// The editor's own command line: what it answers without opening a window.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "picture/translated_text.h"

namespace chromaloom {

UserText EditorUsage();

// --help and --version are answered on out before any window system is
// needed, --help in the locale's language; the exit status then, else
// nullopt and the editor starts. args excludes the program name; "--" ends
// the options.
std::optional<int> AnswerEditorInfoOptions(const std::vector<std::string>& args, std::ostream& out);

}  // namespace chromaloom
