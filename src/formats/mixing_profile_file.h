// A mixing profile as a small text file: 15 rows of 15 "R,G,B" colours
// separated by spaces, row a holding the mixed colours of screen-0 colour a
// with screen-1 colours 0 to 14, values 0 to 255; "#" starts a comment, and
// blank lines are skipped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "picture/mixing_profile.h"

namespace chromaloom {

// More than any profile with comments needs; a longer file is refused.
constexpr std::size_t MaxMixingProfileLength = 64 * 1024;

// The profile the text holds, called name; a FormatError naming the first
// bad line otherwise.
MixingProfile ReadMixingProfile(std::string_view text, const std::string& name);

// The text that reads back as this table.
std::string MixingProfileText(const MixedColourTableType& table);

}  // namespace chromaloom
