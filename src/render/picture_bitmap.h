// The mixed picture and the exported bitmap straight from a picture, with
// no view and no editor image: what the converter and the bitmap export need.
#pragma once

#include "picture/mixing_profile.h"
#include "picture/picture.h"
#include "picture/raster.h"

namespace chromaloom {

// 256 x 192, each pixel the mixed colour of its two screen bits.
Raster RenderMixedPicture(const Picture& picture, const MixingProfile& mixing = {});
// The picture at bitmap size sizeIndex 0..8 (BitmapSizes), framed in the
// border colour, both mixed by the profile.
Raster RenderBitmap(const Picture& picture, int sizeIndex, const MixingProfile& mixing = {});

}  // namespace chromaloom
