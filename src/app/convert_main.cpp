#include <iostream>
#include <string>
#include <vector>

#include "app/converter.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return chromaloom::RunConverter(args, std::cout, std::cerr);
}
