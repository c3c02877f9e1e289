// Pictures and checks shared by the format tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "formats/format_error.h"
#include "picture/picture.h"
#include "support/random_picture.h"

namespace chromaloom::test_support {

inline constexpr std::array<std::uint8_t, 4> AllCellHeights = {1, 2, 4, 8};

// What a ZX attribute byte can hold of an entry: one BRIGHT bit for both colours.
inline AttrEntry SharedBright(AttrEntry e) {
  if (IsBright(e.Ink) || IsBright(e.Paper)) return {BrightTwin(e.Paper), BrightTwin(e.Ink)};
  return e;
}

// Runs read and expects a FormatError whose text starts as the user sees it.
inline void ExpectFormatError(const std::function<void()>& read, const std::string& label) {
  try {
    read();
    ADD_FAILURE() << label << ": accepted";
  } catch (const FormatError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Error file format: ", 0), 0u) << label << ": " << e.what();
  } catch (const std::exception& e) {
    ADD_FAILURE() << label << ": wrong exception: " << e.what();
  }
}

// The message of the FormatError that read throws, or "" when it throws none.
inline std::string FormatErrorText(const std::function<void()>& read) {
  try {
    read();
  } catch (const FormatError& e) {
    return e.what();
  }
  return "";
}

// Lengths worth cutting a file of length n to.
inline std::vector<std::size_t> CutLengths(std::size_t n) {
  return {0, 1, 2, 3, 4, 5, 6, 7, 17, 255, 256, 257, 6144, 6912, n / 2, n - 2, n - 1};
}

}  // namespace chromaloom::test_support
