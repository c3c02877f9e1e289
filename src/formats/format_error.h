#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "picture/translated_text.h"

namespace chromaloom {

// A file whose bytes are not a picture of the expected format. The message
// starts with "Error file format" and says what is wrong.
class FormatError : public std::runtime_error, public UserTextError {
 public:
  explicit FormatError(const char* pattern, std::vector<UserText> parts = {})
      : FormatError(UserText::Of(QT_TRANSLATE_NOOP("Messages", "Error file format: %1"),
                                 {UserText::Of(pattern, std::move(parts))})) {}

 private:
  explicit FormatError(UserText text) : std::runtime_error(text.English()), UserTextError(std::move(text)) {}
};

}  // namespace chromaloom
