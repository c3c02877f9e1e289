// A bitmap as an uncompressed Windows BMP file.
#pragma once

#include <cstdint>
#include <vector>

#include "picture/raster.h"

namespace chromaloom {

// Uncompressed 24-bit Windows bitmap, bottom-up rows padded to 4 bytes.
std::vector<std::uint8_t> WriteBmp(const Raster& image);

}  // namespace chromaloom
