// Bitmap export: the mixed picture enlarged by a whole factor, optionally framed.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "picture/raster.h"

namespace chromaloom {

struct BitmapSize {
  int W;  // enlarged picture
  int H;
  int X;  // border at left and right
  int Y;  // border at top and bottom
  const char* Caption;
};

inline constexpr std::array<BitmapSize, 9> BitmapSizes = {{
    {256, 192, 0, 0, "256 x 192 without border"},
    {512, 384, 0, 0, "512 x 384 without border"},
    {768, 576, 0, 0, "768 x 576 without border"},
    {1024, 768, 0, 0, "1024 x 768 without border"},
    {1280, 960, 0, 0, "1280 x 960 without border"},
    {512, 384, 64, 48, "640 x 480 (512x384 with border)"},
    {768, 576, 16, 12, "800 x 600 (768x576 with border)"},
    {768, 576, 128, 96, "1024 x 768 (768x576 with border)"},
    {1024, 768, 128, 96, "1280 x 960 (1024x768 with border)"},
}};

// sizeIndex 0..8 picks a row of BitmapSizes; the mixed raster is 256 x 192.
Raster BuildBitmap(const Raster& mixedRaster, Rgb borderColour, int sizeIndex);
// Uncompressed 24-bit Windows bitmap, bottom-up rows padded to 4 bytes.
std::vector<std::uint8_t> WriteBmp(const Raster& image);

}  // namespace chromaloom
