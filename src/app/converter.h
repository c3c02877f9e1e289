// chromaloom-convert: the editor's import and export commands without a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace chromaloom {

enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// args excludes the program name. Errors go to err as one line.
int RunConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace chromaloom
