// The mixed picture, each screen alone and the exported bitmap straight from
// a picture, with no view and no editor image: what the converter, the
// bitmap export and the flicker view need.
#pragma once

#include <array>

#include "picture/bitmap_sizes.h"
#include "picture/mixing_profile.h"
#include "picture/picture.h"
#include "picture/raster.h"

namespace chromaloom {

// 256 x 192, each pixel the mixed colour of its two screen bits.
Raster RenderMixedPicture(const Picture& picture, const MixingProfile& mixing = {});
// The mixed raster (256 x 192) enlarged and framed as BitmapSizes[sizeIndex]
// says; a size outside 0..8 or another raster size throws std::invalid_argument.
Raster BuildBitmap(const Raster& mixedRaster, Rgb borderColour, int sizeIndex);
// The picture at bitmap size sizeIndex 0..8 (BitmapSizes), framed in the
// border colour, both mixed by the profile.
Raster RenderBitmap(const Picture& picture, int sizeIndex, const MixingProfile& mixing = {});

// The border around a screen shown alone, at 1:1 (a fifth of the picture's
// width at each side, an eighth of its height above and below).
constexpr int ScreenBorderWidth = 32;
constexpr int ScreenBorderHeight = 24;
constexpr int FramedScreenWidth = PictureWidth + 2 * ScreenBorderWidth;
constexpr int FramedScreenHeight = PictureHeight + 2 * ScreenBorderHeight;

// The border colour screen 0 or 1 shows on its own.
Rgb ScreenBorderColour(const Picture& picture, int screen);
// The mixed picture inside the mixed border colour, as emulators frame it;
// FramedScreenWidth x FramedScreenHeight.
Raster RenderFramedMixed(const Picture& picture, const MixingProfile& mixing = {});
// Screen 0 or 1 alone as the hardware shows it for one frame: its own ink and
// paper, inside its own border colour; FramedScreenWidth x FramedScreenHeight.
// Another screen number throws std::invalid_argument.
Raster RenderFramedScreen(const Picture& picture, int screen);
// The frames of the animated export: screen 0, then screen 1, each alone as
// the Screen 0 and Screen 1 views show it, at bitmap size sizeIndex 0..8
// (BitmapSizes) and framed in its own border colour. No mixing: the eye
// mixes them as the animation alternates them.
std::array<Raster, 2> RenderScreenBitmaps(const Picture& picture, int sizeIndex);

}  // namespace chromaloom
