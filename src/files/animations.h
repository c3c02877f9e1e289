// The animated exports, the two screens in turn: GIF through Debian's giflib
// (the library packs the LZW codes) and WebP through libwebp's
// WebPAnimEncoder. Every frame is whole and opaque, and the animation loops
// forever. Apart from image_files so that only these parts link the two.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formats/file_kinds.h"
#include "picture/raster.h"

namespace chromaloom {

// One frame of a 50 Hz machine. A GIF counts delays in whole centiseconds
// and holds it exactly, and so does a WebP in milliseconds.
constexpr int MachineFrameMilliseconds = 20;

// A GIF89a of the frames in order, each shown delayCentiseconds (1..65535),
// looping forever (the NETSCAPE2.0 extension). The colour table holds the
// frames' colours in ascending 0xRRGGBB order, so the same frames always
// give the same bytes. Throws std::invalid_argument for frames
// CheckAnimationFrames refuses, more than 256 colours or a delay out of
// range; FileError when giflib fails.
std::vector<std::uint8_t> AnimatedGifBytes(std::span<const Raster> frames, int delayCentiseconds);

// A lossless animated WebP of the frames in order, each shown
// frameMilliseconds, looping forever; the same frames always give the same
// bytes. libwebp stores only what changes from one frame to the next, and
// frames that are all the same as one still image. Throws
// std::invalid_argument as CheckAnimationFrames does or for a duration out of
// range, FileError when libwebp fails.
std::vector<std::uint8_t> AnimatedWebpBytes(std::span<const Raster> frames, int frameMilliseconds);

// The bytes of an animated export (IsAnimatedExport): the frames one 50 Hz
// machine frame each. Throws as the writers do, and std::invalid_argument
// for any other kind.
std::vector<std::uint8_t> EncodeAnimation(std::span<const Raster> frames, FileKind kind);

// Throws std::invalid_argument for no frames, or frames of different sizes,
// empty or with a side above maxSide.
void CheckAnimationFrames(std::span<const Raster> frames, int maxSide);

}  // namespace chromaloom
