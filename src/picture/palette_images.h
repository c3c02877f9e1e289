// The fixed images the colour pickers show, built from the colour rules.
#pragma once

#include "picture/raster.h"

namespace chromaloom {

constexpr int SwatchSize = 16;

Raster MakeZxStripImage();       // 240 x 16: index c at x = 16c
Raster MakeFullPaletteImage();   // 240 x 240: MixColours(a, b) at (16a, 16b)
Raster MakeBorderPaletteImage(); // 144 x 48: border pair (i, j) at (16i, 16j)

// The same, built once: the clean images the pickers are restored from.
const Raster& CleanZxStrip();
const Raster& CleanFullPalette();
const Raster& CleanBorderPalette();

}  // namespace chromaloom
