// The bitmap export on small rasters: a raster of the size the first two bytes
// pick (1..48 each) is enlarged by whole factors (third byte, 1..4 across and
// down) inside a border (fourth byte, 0..15 pixels at left and right, 0..15
// above and below), as BuildBitmap frames the picture, and written as a BMP.
// The framed raster must hold every source pixel enlarged and the border
// colour around it, and the BMP must hold that raster exactly: header, every
// row bottom-up as blue, green, red, zero padding. The rest of the input fills
// the pixels, three bytes each, repeating. Full-size bitmaps (up to 1280 x 960)
// took too long an input; the scaling and the writer are the same code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/bmp_format.h"
#include "picture/raster.h"

using namespace chromaloom;

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int w = 1 + data[0] % 48, h = 1 + data[1] % 48;
  const int factorX = 1 + (data[2] & 3), factorY = 1 + ((data[2] >> 2) & 3);
  const int borderX = data[3] & 15, borderY = data[3] >> 4;
  const std::span<const std::uint8_t> rest(data + 4, size - 4);
  Raster source(w, h);
  for (std::size_t i = 0; i < source.Pixels().size(); ++i)
    if (rest.size() >= 3) {
      const std::size_t at = (i * 3) % (rest.size() - rest.size() % 3);
      source.Pixels()[i] = MakeRgb(rest[at], rest[at + 1], rest[at + 2]);
    }
  const Rgb border = MakeRgb(data[0], data[3], data[2]);
  const int width = w * factorX + 2 * borderX, height = h * factorY + 2 * borderY;
  Raster bitmap(width, height, border);
  bitmap.ScaleFrom(source, factorX, factorY, borderX, borderY);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int sx = x - borderX, sy = y - borderY;
      const bool inside = sx >= 0 && sy >= 0 && sx < w * factorX && sy < h * factorY;
      if (bitmap.At(x, y) != (inside ? source.At(sx / factorX, sy / factorY) : border)) std::abort();
    }

  const std::vector<std::uint8_t> bmp = WriteBmp(bitmap);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  if (bmp.size() != 54 + stride * static_cast<std::size_t>(height) || Le32(bmp, 2) != bmp.size()) std::abort();
  if (bmp[0] != 'B' || bmp[1] != 'M' || Le32(bmp, 10) != 54) std::abort();
  if (Le32(bmp, 18) != static_cast<std::uint32_t>(width) || Le32(bmp, 22) != static_cast<std::uint32_t>(height))
    std::abort();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* stored = bmp.data() + 54 + stride * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x, stored += 3) {
      const Rgb pixel = bitmap.At(x, y);
      if (stored[0] != BlueOf(pixel) || stored[1] != GreenOf(pixel) || stored[2] != RedOf(pixel)) std::abort();
    }
    for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad, ++stored)
      if (*stored != 0) std::abort();
  }
  return 0;
}
