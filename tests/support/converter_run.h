// Runs the converter in this process, as its command line would.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/converter.h"

namespace chromaloom::test_support {

struct Outcome {
  int Status;
  std::string Out, Err;
};

inline Outcome Convert(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunConverter(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace chromaloom::test_support
