// ConvertImage on a small image from the input, repeated over 256 x 192,
// with options from the first bytes: the result is always a valid picture
// with finite, non-negative stats. Bytes: cell height, dithering (a fifth
// value is unknown and must be refused), metric, flicker weight / 64, tile
// width and height 1..16, then the tile's RGB.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

// The header's enumerator ColourMetric::Srgb trips GCC's -Wshadow against the type Rgb.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "convert/image_conversion.h"
#pragma GCC diagnostic pop

using namespace chromaloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  constexpr int heights[4] = {8, 4, 2, 1};
  ImageConversionOptions options;
  options.CellHeight = heights[data[0] % 4];
  options.Dither = static_cast<Dithering>(data[1] % 5);
  options.Metric = static_cast<ColourMetric>(data[2] % 2);
  options.FlickerWeight = data[3] / 64.0;
  const int tileWidth = 1 + data[4] % 16, tileHeight = 1 + data[5] % 16;
  const auto byteAt = [&](std::size_t i) { return i < size ? data[i] : std::uint8_t{0}; };
  Raster source(PictureWidth, PictureHeight);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const std::size_t i = 6 + 3 * static_cast<std::size_t>((y % tileHeight) * tileWidth + x % tileWidth);
      source.At(x, y) = MakeRgb(byteAt(i), byteAt(i + 1), byteAt(i + 2));
    }
  ImageConversion result;
  try {
    result = ConvertImage(source, options);
  } catch (const std::invalid_argument&) {
    if (data[1] % 5 != 4) std::abort();  // only the unknown dithering may be refused
    return 0;
  }
  if (data[1] % 5 == 4) std::abort();
  const int h = options.CellHeight;
  for (const AttrPlane& plane : result.Result.Attrs)
    for (int col = 0; col < ByteColumns; ++col)
      for (int line = 0; line < PictureHeight; ++line) {
        const AttrEntry& e = plane.At(col, line);
        if (!IsValidZxColour(e.Ink) || !IsValidZxColour(e.Paper)) std::abort();
        if (!(FromZxAttrByte(ZxAttrByte(e.Ink, e.Paper)) == InkPaper{e.Ink, e.Paper})) std::abort();
        if (!(e == plane.At(col, AttrLineOf(h, col, line)))) std::abort();
      }
  const ImageConversionStats& s = result.Stats;
  if (!std::isfinite(s.MeanColourError) || s.MeanColourError < 0 || !std::isfinite(s.MeanFlicker) ||
      s.MeanFlicker < 0)
    std::abort();
  return 0;
}
