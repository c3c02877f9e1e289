// Images of the usual kinds (PNG, JPEG, GIF, BMP, and what Qt's plugins
// add) read into a Raster, and bitmaps written as BMP or PNG. Apart from
// file_io so that the file layer itself needs no Qt; this part links Qt GUI.
#pragma once

#include <string>

#include <cstdint>
#include <vector>

#include "files/file_io.h"
#include "formats/file_kinds.h"
#include "picture/raster.h"

class QImage;

namespace chromaloom {

constexpr int MaxImageSide = 8192;
constexpr long long MaxImagePixels = 64'000'000;

// The first frame, with transparency laid on black. An image above 16
// megapixels comes scaled down by the reader to at least 4 times the picture
// each way, keeping its aspect; the file is read a piece at a time, never
// whole. Throws FileError naming the file and the reason: not a regular
// file, empty, too large (checked from the header before the rest is read),
// corrupt, cut short (JPEG, PNG, GIF, BMP) or too large for the memory left.
Raster ReadImageFile(const std::string& path);

// Keeps the warnings Qt's image plugins forward from their libraries off the
// error output, where ReadImageFile's own message says what was wrong.
// Called once by a program, before reading images.
void QuietImagePluginWarnings();

// An image's pixels with transparency laid on black; an empty raster when
// there is not enough memory to convert it.
Raster RasterFromImage(QImage image);

// How hard a PNG is packed: Small for files a user keeps, Fast for
// thumbnails a file manager wants at once.
enum class PngPacking { Small, Fast };

// The bytes of a bitmap export (IsBitmapExport): a BMP as formats/ writes
// it, a PNG through Qt's image writer. Throws FileError when the encoder
// fails, std::invalid_argument for any other kind.
std::vector<std::uint8_t> EncodeBitmap(const Raster& bitmap, FileKind kind, PngPacking packing = PngPacking::Small);

}  // namespace chromaloom
