#include <iostream>
#include <string>
#include <vector>

#include "app/converter.h"
#include "files/image_files.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  chromaloom::QuietImagePluginWarnings();
  return chromaloom::RunConverter(args, std::cout, std::cerr);
}
