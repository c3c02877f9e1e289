// A simple stand-in so the converter builds and runs: black PAPER and white
// INK on both screens everywhere, each pixel the nearest of the cell's four
// mixed colours. The real search replaces this file.
// The agreed header names an enumerator Rgb, which -Wshadow reports
// against the pixel type; the header stays as agreed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "editing/image_conversion.h"
#pragma GCC diagnostic pop

#include <stdexcept>

namespace chromaloom {

namespace {

int Luma(Rgb c) { return 299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c); }

double Distance(Rgb a, Rgb b) {
  const double dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}

}  // namespace

ImageConversion ConvertImage(const Raster& source, const ImageConversionOptions& options) {
  if (source.Width() != PictureWidth || source.Height() != PictureHeight)
    throw std::invalid_argument("the image must be 256 x 192 pixels");
  if (!IsValidCharMode(options.CellHeight)) throw std::invalid_argument("the cell height must be 8, 4, 2 or 1");
  constexpr ZxColour Paper = 0;
  constexpr ZxColour Ink = ZxColourIndex(7, 0);
  ImageConversion out;
  for (int s = 0; s < 2; ++s)
    for (AttrEntry& e : out.Result.Attrs[s].Entries) e = {Paper, Ink};
  const CharPalette palette = MakeCharPalette(Paper, Ink, Paper, Ink);
  double error = 0, flicker = 0;
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      int best = 0;
      for (int k = 1; k < 4; ++k)
        if (Distance(source.At(x, y), palette[k]) < Distance(source.At(x, y), palette[best])) best = k;
      out.Result.Pixels[0].SetBit(x, y, best & 2);
      out.Result.Pixels[1].SetBit(x, y, best & 1);
      error += Distance(source.At(x, y), palette[best]);
      const double d = (Luma(ZxRgb(best & 2 ? Ink : Paper)) - Luma(ZxRgb(best & 1 ? Ink : Paper))) / 1000.0;
      flicker += d * d;
    }
  const double n = PictureWidth * PictureHeight;
  out.Stats = {error / n, flicker / n};
  return out;
}

std::optional<Dithering> DitheringNamed(std::string_view name) {
  if (name == "none") return Dithering::None;
  if (name == "ordered") return Dithering::Ordered;
  if (name == "floyd-steinberg") return Dithering::FloydSteinberg;
  if (name == "atkinson") return Dithering::Atkinson;
  return std::nullopt;
}

std::optional<ColourMetric> ColourMetricNamed(std::string_view name) {
  if (name == "rgb") return ColourMetric::Rgb;
  if (name == "lab") return ColourMetric::Lab;
  return std::nullopt;
}

}  // namespace chromaloom
