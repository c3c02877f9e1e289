#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "app/converter.h"
#include "app/converter_language.h"
#include "files/image_files.h"

int main(int argc, char** argv) {
  // Past a file size limit a write then fails with EFBIG, and is reported
  // and cleaned up, instead of the signal killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  chromaloom::QuietImagePluginWarnings();
  const auto messages = chromaloom::ConverterMessages();
  return chromaloom::RunConverter(args, std::cout, std::cerr, messages.get());
}
