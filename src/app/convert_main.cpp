#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line_language.h"
#include "app/converter.h"
#include "files/image_files.h"

int main(int argc, char** argv) {
  // Past a file size limit a write then fails with EFBIG, and is reported
  // and cleaned up, instead of the signal killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  chromaloom::QuietImagePluginWarnings();
  const auto messages = chromaloom::CommandLineMessages();
  return chromaloom::RunConverter(args, std::cout, std::cerr, messages.get());
}
