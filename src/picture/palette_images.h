// The fixed images the colour pickers show, built from the colour rules.
#pragma once

#include "picture/raster.h"
#include "picture/zx_colour.h"

namespace chromaloom {

constexpr int SwatchSize = 16;

Raster MakeZxStripImage();  // 240 x 16: index c at x = 16c
// Mixed by the table: the picture's own unless the view mixes otherwise.
Raster MakeFullPaletteImage(
    const MixedColourTableType& table = MixedColourTable);  // 240 x 240: table[a][b] at (16a, 16b)
Raster MakeBorderPaletteImage(
    const MixedColourTableType& table = MixedColourTable);  // 144 x 48: border pair (i, j) at (16i, 16j)

// The strip built once: the clean image the strips are restored from.
const Raster& CleanZxStrip();

}  // namespace chromaloom
