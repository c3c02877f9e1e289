// The enlarged editor image: the shown raster (mixed, or one screen) scaled
// by whole factors, tinted by the flicker map when it is on, with the dotted
// pixel grid and char grid on top, painted for the area the window shows.
#include <algorithm>
#include <optional>

#include "render/enlarged_row.h"
#include "render/flicker_map.h"
#include "render/renderer.h"

namespace chromaloom {

namespace {
constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb Grey = MakeRgb(128, 128, 128);
constexpr Rgb White = MakeRgb(255, 255, 255);

// Dotted lines: the colour follows the parity of the coordinate along the line.
struct Dots {
  Rgb Even, Odd;
  Rgb At(int along) const { return (along & 1) ? Odd : Even; }
  // Editor x [from, to) into out; out[0] is from.
  void PaintRow(int from, int to, Rgb* out) const { PaintDottedRow(Even, Odd, from, to, out); }
};
constexpr Dots PixelGridDots{Black, Grey};
constexpr Dots CharGridDots{White, Grey};

}  // namespace

void Renderer::PaintPicture(Rect area, Raster& out) const {
  const Rect r = area.Intersected(EditorBounds());
  if (r.IsEmpty()) return;
  const int z = view_.Scale();
  const int h = picture_.CellHeight;
  const bool pixelGrid = view_.PixelGridOn && z >= MinGridScale;
  const bool charGrid = view_.CharGridOn && z >= MinGridScale;
  const bool anyGrid = pixelGrid || charGrid;
  const int cellWidth = 8 * z;

  const Raster& shown = view_.Shown == ScreenView::Screen0   ? ScreenRaster0
                        : view_.Shown == ScreenView::Screen1 ? ScreenRaster1
                                                             : MixedRaster;
  // The picture pixels the area covers; the map tints each once per line.
  const int firstPixel = r.X / z, endPixel = (r.Right() + z - 1) / z;
  if (view_.FlickerMapOn && tintScratch_.size() < PictureWidth) tintScratch_.resize(PictureWidth);
  Rgb* const tinted = tintScratch_.data();
  for (int line = r.Y / z; line * z < r.Bottom(); ++line) {
    const int lineTop = line * z;
    const Rgb* source = shown.Row(line);
    if (view_.FlickerMapOn && view_.Shown == ScreenView::Mixed) {
      source = FlickerMapRaster.Row(line);
    } else if (view_.FlickerMapOn) {  // over one screen: rare enough to tint pixel by pixel
      const Rgb* screen0 = ScreenRaster0.Row(line);
      const Rgb* screen1 = ScreenRaster1.Row(line);
      for (int p = firstPixel; p < endPixel; ++p)
        tinted[p] = FlickerTint(source[p], FlickerLevelOf(screen0[p], screen1[p]));
      source = tinted;
    }
    // Every row is made straight into out: a copy of a row composed once
    // per line would cost more than making it. The first row of a line
    // carries the horizontal grid lines, and the even and odd rows after it
    // differ in the colour of the vertical dots (grid lines start on even
    // coordinates, as the scale is a multiple of 4). Char-grid lines run
    // unbroken over pixel-grid lines where they cross.
    const int yEnd = std::min(r.Bottom(), lineTop + z);
    for (int y = std::max(r.Y, lineTop); y < yEnd; ++y) {
      Rgb* row = out.Row(y - area.Y) + (r.X - area.X);  // row[0] is editor x r.X
      const int parity = y == lineTop ? 0 : (y & 1);
      const EnlargedRow enlarged{source, z, pixelGrid ? std::optional(PixelGridDots.At(parity)) : std::nullopt,
                                 charGrid ? std::optional(CharGridDots.At(parity)) : std::nullopt};
      if (y != lineTop || !anyGrid) {
        PaintEnlargedRow(enlarged, r.X, r.Right(), row);
        continue;
      }
      // Along the line row, runs of cells that start on this line, with
      // the char grid's line, and of cells that do not.
      // 8x1's side columns have cells 8 lines high: a line starts either
      // kind of cell, or both, or neither.
      const bool startsCell = charGrid && line % h == 0;
      const bool startsSideCell = charGrid && line % CellHeightAt(h, 0) == 0;
      const auto starts = [&](int col) { return IsSideColumn(col) ? startsSideCell : startsCell; };
      for (int col = r.X / cellWidth; col * cellWidth < r.Right();) {
        const bool startsHere = starts(col);
        int end = col + 1;
        while (end * cellWidth < r.Right() && starts(end) == startsHere) ++end;
        const int from = std::max(r.X, col * cellWidth), to = std::min(r.Right(), end * cellWidth);
        Rgb* at = row + (from - r.X);
        if (startsHere) {
          CharGridDots.PaintRow(from, to, at);
        } else if (pixelGrid) {
          PixelGridDots.PaintRow(from, to, at);
          if (charGrid)
            for (int x = (from + cellWidth - 1) / cellWidth * cellWidth; x < to; x += cellWidth)
              at[x - from] = CharGridDots.At(0);
        } else {
          PaintEnlargedRow(enlarged, from, to, at);
        }
        col = end;
      }
    }
  }
}

}  // namespace chromaloom
