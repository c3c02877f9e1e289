// The converter's command line, apart from the converter so it builds
// without Qt (the fuzz build feeds it arbitrary argument lists).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/image_conversion.h"
#include "convert/image_fitting.h"
#include "picture/picture.h"
#include "picture/translated_text.h"

namespace chromaloom {

// A command line the converter cannot act on; it exits with status 2.
struct UsageError : std::runtime_error, UserTextError {
  explicit UsageError(UserText text) : std::runtime_error(text.English()), UserTextError(std::move(text)) {}
  explicit UsageError(const char* pattern, std::vector<UserText> parts = {})
      : UsageError(UserText::Of(pattern, std::move(parts))) {}
};

struct ConverterOptions {
  bool Help = false;
  bool Version = false;
  bool Info = false;
  std::optional<int> Mode;             // a valid char mode
  std::optional<BorderChoice> Border;  // inside the border table
  int BmpSize = 1;                     // 1..9
  std::optional<int> Screen;           // 0 or 1: the screen a one-screen output takes
  bool Pentagon = false;               // a snapshot for the Pentagon 128 instead of the 128K
  // For image inputs only; unset means the default.
  std::optional<FitMode> Fit;
  std::optional<Dithering> Dither;
  std::optional<ColourMetric> Metric;
  std::optional<double> Flicker;  // finite, >= 0
  bool Stats = false;
  std::optional<int> Thumbnail;  // the square it must fit, 1..MaxThumbnailSize
  // For bitmap outputs: own, average, linear, or the path of a profile file.
  std::optional<std::string> Mixing;
  std::vector<std::string> Files;
  friend bool operator==(const ConverterOptions&, const ConverterOptions&) = default;
};

// args excludes the program name. "--" ends the options: every argument
// after it is a file, even one that starts with a dash.
ConverterOptions ParseArgs(const std::vector<std::string>& args);

constexpr int MaxThumbnailSize = 2048;

UserText Usage();

}  // namespace chromaloom
