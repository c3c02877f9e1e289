#include "formats/bmp_format.h"

#include <limits>
#include <stdexcept>

namespace chromaloom {

namespace {

constexpr std::size_t FileHeaderLength = 14;
constexpr std::size_t InfoHeaderLength = 40;
constexpr std::size_t PixelDataOffset = FileHeaderLength + InfoHeaderLength;
constexpr std::uint32_t PixelsPerMetre = 2835;  // 72 dpi

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const Raster& image) {
  const std::size_t width = static_cast<std::size_t>(image.Width());
  const std::size_t height = static_cast<std::size_t>(image.Height());
  if (width == 0 || height == 0) throw std::invalid_argument("cannot write an empty bitmap");
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  const std::size_t dataLength = stride * height;
  if (dataLength > std::numeric_limits<std::uint32_t>::max() - PixelDataOffset)
    throw std::invalid_argument("the bitmap is too large for a BMP file");
  const auto fileLength = static_cast<std::uint32_t>(PixelDataOffset + dataLength);

  std::vector<std::uint8_t> out;
  out.reserve(fileLength);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  Put32(out, fileLength);
  Put32(out, 0);  // two reserved words
  Put32(out, static_cast<std::uint32_t>(PixelDataOffset));
  // BITMAPINFOHEADER; a positive height means the rows are stored bottom-up.
  Put32(out, static_cast<std::uint32_t>(InfoHeaderLength));
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, 0);   // BI_RGB, uncompressed
  Put32(out, static_cast<std::uint32_t>(dataLength));
  Put32(out, PixelsPerMetre);
  Put32(out, PixelsPerMetre);
  Put32(out, 0);  // colours used: none, no palette
  Put32(out, 0);  // important colours: all

  const std::size_t padding = stride - width * 3;
  for (int y = image.Height() - 1; y >= 0; --y) {
    const Rgb* row = image.Row(y);
    for (std::size_t x = 0; x < width; ++x) {
      out.push_back(static_cast<std::uint8_t>(BlueOf(row[x])));
      out.push_back(static_cast<std::uint8_t>(GreenOf(row[x])));
      out.push_back(static_cast<std::uint8_t>(RedOf(row[x])));
    }
    out.insert(out.end(), padding, 0);
  }
  return out;
}

}  // namespace chromaloom
