// The picture as a file of a given kind: the one place that says which
// writer serves which extension, for the editor's commands and the converter.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "formats/file_names.h"
#include "picture/picture.h"

namespace chromaloom {

// nullopt for kinds written from something else (bitmaps) or never written.
std::optional<std::vector<std::uint8_t>> WritePictureFile(const Picture& picture, FileKind kind);

}  // namespace chromaloom
