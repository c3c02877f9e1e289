#pragma once

#include <vector>

#include "picture/translated_text.h"

#include <cstdint>
#include <optional>
#include <string>

#include "picture/picture.h"

namespace chromaloom {

// What a reader found in a file: a complete new picture state, applied to
// the open picture only once the whole file has been checked.
struct ImportedPicture {
  chromaloom::Planes Planes;
  std::uint8_t CellHeight = 8;
  std::optional<BorderPair> Border;  // only the native format carries one
  std::vector<UserText> Notes = {};  // what the picture could not keep as the file has it; empty: nothing
};

}  // namespace chromaloom
