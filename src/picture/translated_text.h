// Texts for the user that the window and the converter show in the user's
// language, while the levels below them stay free of Qt. A pattern is
// English with %1 .. %9 for its parts, marked where it is written with
// QT_TRANSLATE_NOOP("Messages", ...) so that lupdate finds it; the parts are
// texts shown as they are (a file name, a number) or patterns of their own.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Qt defines the same macro the same way, so either may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace chromaloom {

class UserText {
 public:
  // A text shown as it is.
  UserText(std::string plain) : plain_(std::move(plain)) {}
  // A pattern and its parts.
  static UserText Of(const char* pattern, std::vector<UserText> parts = {});

  std::string English() const;
  // With each pattern replaced by translate(pattern) where that is not empty.
  std::string Shown(const std::function<std::string(const char*)>& translate) const;
  const char* Pattern() const { return pattern_; }

 private:
  UserText() = default;
  const char* pattern_ = nullptr;
  std::string plain_;
  std::vector<UserText> parts_;
};

// pattern with each %N (1..9) replaced by parts[N - 1], in one pass, so a part
// that holds "%2" stays as it is.
std::string FillIn(std::string_view pattern, const std::vector<std::string>& parts);

// What an error that speaks to the user carries besides its English what().
class UserTextError {
 public:
  explicit UserTextError(UserText text) : text_(std::move(text)) {}
  const UserText& Text() const { return text_; }

 private:
  UserText text_;
};

// The text of any error: its UserText, else its what() as it is.
UserText TextOf(const std::exception& error);

// A value the user gave that cannot be used (a mixing model's levels, a
// picture a format cannot hold).
class UnusableValue : public std::invalid_argument, public UserTextError {
 public:
  explicit UnusableValue(UserText text) : std::invalid_argument(text.English()), UserTextError(std::move(text)) {}
};

}  // namespace chromaloom
