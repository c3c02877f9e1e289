// A picture encoded as the bytes of a file of any kind chromaLoom writes
// from the picture alone: the table's own writers (formats/) and the
// Spectrum programs (spectrum_files.h). It lives in spectrum/ because this
// level may link libspectrum. Bitmap exports need a size and a mixing
// profile besides the picture: EncodeBitmap (files/image_files.h) writes them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "formats/file_kinds.h"
#include "picture/picture.h"

namespace chromaloom {

// The whole file; nullopt for bitmap exports and kinds never written.
// Throws std::invalid_argument for a picture the kind cannot hold. A kind
// that holds one screen takes screen, 0 or 1.
std::optional<std::vector<std::uint8_t>> EncodeFile(FileKind kind, const Picture& picture, int screen = 0);

}  // namespace chromaloom
