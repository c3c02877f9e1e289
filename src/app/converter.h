// chromaloom-convert: the editor's import and export commands without a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class QTranslator;

namespace chromaloom {

enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// args excludes the program name. Errors go to err as one line, and they and
// the usage text are translated by messages where it is given.
int RunConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const QTranslator* messages = nullptr);

}  // namespace chromaloom
