// Animations as GIF files, through Debian's giflib (the library packs the
// LZW codes): the frames' colours in one table, every frame whole and
// opaque, looping forever. Apart from image_files so that only this part
// links giflib.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formats/file_kinds.h"
#include "picture/raster.h"

namespace chromaloom {

// What a GIF can hold of one 50 Hz machine frame (20 ms): its delays are
// whole centiseconds.
constexpr int GifFrameCentiseconds = 2;

// A GIF89a of the frames in order, each shown delayCentiseconds (1..65535),
// looping forever (the NETSCAPE2.0 extension). The colour table holds the
// frames' colours in ascending 0xRRGGBB order, so the same frames always
// give the same bytes. Throws std::invalid_argument for no frames, frames
// of different or empty sizes, a side above 65535, more than 256 colours or
// a delay out of range; FileError when giflib fails.
std::vector<std::uint8_t> AnimatedGifBytes(std::span<const Raster> frames, int delayCentiseconds);

// The bytes of an animated export (IsAnimatedExport): the frames one 50 Hz
// machine frame each, as near as the kind can hold it. Throws as
// AnimatedGifBytes does, and std::invalid_argument for any other kind.
std::vector<std::uint8_t> EncodeAnimation(std::span<const Raster> frames, FileKind kind);

}  // namespace chromaloom
