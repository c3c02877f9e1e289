// ConvertImagePart on a few cells from the input, anywhere across the
// picture, with options from the first bytes: the result is always a valid
// picture with finite, non-negative stats, blank around the part, and
// without diffusion each column converts as it does inside the part. Only a
// few cells an input, so the fuzzers run fast. Bytes: cell height,
// dithering, metric, flicker weight / 64, first column, columns 1 or 2 (one
// row of cells), tile width and height 1..16, then the tile's RGB.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

// The header's enumerator ColourMetric::Srgb trips GCC's -Wshadow against the type Rgb.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "convert/image_conversion.h"
#pragma GCC diagnostic pop

namespace chromaloom {

// searchOnly: the search dither on every input, else the other dithers
// and an unknown one, which must be refused.
inline int CheckImagePart(const std::uint8_t* data, std::size_t size, bool searchOnly) {
  if (size < 8) return 0;
  constexpr int heights[4] = {8, 4, 2, 1};
  ImageConversionOptions options;
  options.CellHeight = heights[data[0] % 4];
  constexpr Dithering unknown = static_cast<Dithering>(250);
  constexpr Dithering dithers[5] = {Dithering::None, Dithering::Ordered, Dithering::FloydSteinberg, Dithering::Atkinson,
                                    unknown};
  options.Dither = searchOnly ? Dithering::Search : dithers[data[1] % 5];
  options.Metric = static_cast<ColourMetric>(data[2] % 2);
  options.FlickerWeight = data[3] / 64.0;
  const int first = data[4] % ByteColumns;
  const int columns = std::min(1 + (data[5] & 1), ByteColumns - first);
  // One row of cells: each cell is searched alone, so more rows cost time and reach nothing new.
  int lines = 1;
  for (int col = first; col < first + columns; ++col) lines = std::max(lines, CellHeightAt(options.CellHeight, col));
  const int tileWidth = 1 + data[6] % 16, tileHeight = 1 + data[7] % 16;
  const auto byteAt = [&](std::size_t i) { return i < size ? data[i] : std::uint8_t{0}; };
  Raster source(columns * 8, lines);
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) {
      const std::size_t i = 8 + 3 * static_cast<std::size_t>((y % tileHeight) * tileWidth + x % tileWidth);
      source.At(x, y) = MakeRgb(byteAt(i), byteAt(i + 1), byteAt(i + 2));
    }
  ImageConversion result;
  try {
    result = ConvertImagePart(source, first, options);
  } catch (const std::invalid_argument&) {
    if (options.Dither != unknown) std::abort();  // only the unknown dithering may be refused
    return 0;
  }
  if (options.Dither == unknown) std::abort();
  const int h = options.CellHeight;
  const Planes& planes = result.Result;
  for (int s = 0; s < 2; ++s)
    for (int col = first; col < first + columns; ++col)
      for (int line = 0; line < lines; ++line) {
        const AttrEntry& e = planes.Attrs[s].At(col, line);
        if (!IsValidZxColour(e.Ink) || !IsValidZxColour(e.Paper)) std::abort();
        if (!(FromZxAttrByte(ZxAttrByte(e.Ink, e.Paper)) == InkPaper{e.Ink, e.Paper})) std::abort();
        if (!(e == planes.Attrs[s].At(col, AttrLineOf(h, col, line)))) std::abort();
      }
  // A write past the part would land next to it: the columns beside it and
  // the line below it stay blank (the whole picture costs too much to scan).
  const auto blank = [&](int col, int line) {
    for (int s = 0; s < 2; ++s)
      if (!(planes.Attrs[s].At(col, line) == AttrEntry{}) || planes.Pixels[s].At(col, line) != 0) std::abort();
  };
  for (int line = 0; line <= lines; ++line) {
    if (first > 0) blank(first - 1, line);
    if (first + columns < ByteColumns) blank(first + columns, line);
  }
  for (int col = first; col < first + columns; ++col) blank(col, lines);
  const ImageConversionStats& st = result.Stats;
  if (!std::isfinite(st.MeanColourError) || st.MeanColourError < 0 || !std::isfinite(st.MeanFlicker) ||
      st.MeanFlicker < 0 || !std::isfinite(st.MeanBlurredError) || st.MeanBlurredError < 0)
    std::abort();

  // Cells without diffusion are chosen alone: the last column on its own must match.
  if (columns > 1 && (options.Dither == Dithering::None || options.Dither == Dithering::Ordered)) {
    const int last = first + columns - 1;
    Raster column(8, lines);
    column.CopyFrom(source, {(columns - 1) * 8, 0, 8, lines}, 0, 0);
    const Planes alone = ConvertImagePart(column, last, options).Result;
    for (int s = 0; s < 2; ++s)
      for (int line = 0; line < lines; ++line)
        if (!(alone.Attrs[s].At(last, line) == result.Result.Attrs[s].At(last, line)) ||
            alone.Pixels[s].At(last, line) != result.Result.Pixels[s].At(last, line))
          std::abort();
  }
  return 0;
}

}  // namespace chromaloom
