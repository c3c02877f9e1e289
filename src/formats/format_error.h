#pragma once

#include <stdexcept>
#include <string>

namespace chromaloom {

// A file whose bytes are not a picture of the expected format. The message
// starts with "Error file format" and says what is wrong.
class FormatError : public std::runtime_error {
 public:
  explicit FormatError(const std::string& detail) : std::runtime_error("Error file format: " + detail) {}
};

}  // namespace chromaloom
