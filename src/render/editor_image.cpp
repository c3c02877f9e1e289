// The enlarged editor image: the shown raster (mixed, or one screen) scaled
// by whole factors, tinted by the flicker map when it is on, with the dotted
// pixel grid and char grid on top, painted for the area the window shows.
#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  void Fill(Rgb* row, int from, int to) const {
    const Rgb colours[2] = {Even, Odd};
    for (int x = from; x < to; ++x) row[x] = colours[x & 1];
  }
};
constexpr Dots PixelGridDots{Black, Grey};
constexpr Dots CharGridDots{White, Grey};

// Each picture pixel of source z times into row[x0 .. x1), which may start
// and end inside a pixel. Whole runs go four pixels to a store when they
// can: the canvas scales are multiples of 4.
void Enlarge(Rgb* row, const Rgb* source, int x0, int x1, int z) {
  int x = x0, p = x0 / z;
  if (x % z != 0) {
    const int end = std::min(x1, (p + 1) * z);
    for (; x < end; ++x) row[x] = source[p];
    ++p;
  }
#if defined(__SSE2__)
  if (z % 4 == 0) {
    for (; x + z <= x1; x += z, ++p) {
      const __m128i four = _mm_set1_epi32(static_cast<int>(source[p]));
      for (int k = 0; k < z; k += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x + k), four);
    }
  }
#endif
  for (; x + z <= x1; x += z, ++p) std::fill_n(row + x, z, source[p]);
  for (; x < x1; ++x) row[x] = source[p];
}

}  // namespace

void Renderer::PaintPicture(Rect area, Raster& out) const {
  const Rect r = area.Intersected(EditorBounds());
  if (r.IsEmpty()) return;
  const int z = view_.Scale();
  const int h = picture_.CellHeight;
  const bool pixelGrid = view_.PixelGridOn && z >= MinGridScale;
  const bool charGrid = view_.CharGridOn && z >= MinGridScale;
  const int cellWidth = 8 * z;
  const int firstPixelLine = (r.X + z - 1) / z * z;
  const int firstCharLine = (r.X + cellWidth - 1) / cellWidth * cellWidth;

  // Within one picture line only three rows differ: the first, which carries
  // the horizontal lines, and the even and odd rows after it, whose vertical
  // dots alternate (grid lines start on even coordinates, as the scale is a
  // multiple of 4). Each is composed once and then copied out; they are
  // indexed by editor x.
  // The window paints small areas often: the rows are kept between paints.
  const auto span = static_cast<std::size_t>(r.Right());
  if (rowScratch_.size() < 5 * span) rowScratch_.resize(5 * span);
  Rgb* const composed[3] = {rowScratch_.data(), rowScratch_.data() + span, rowScratch_.data() + 2 * span};
  const std::size_t width = static_cast<std::size_t>(r.W);
  // The horizontal grid lines' dots along the row, made once per paint.
  Rgb* const pixelDots = rowScratch_.data() + 3 * span;
  Rgb* const charDots = rowScratch_.data() + 4 * span;
  if (pixelGrid) PixelGridDots.Fill(pixelDots, r.X, r.Right());
  if (charGrid) CharGridDots.Fill(charDots, r.X, r.Right());

  const bool anyGrid = pixelGrid || charGrid;
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
    Rgb* plain = composed[1];
    Enlarge(plain, source, r.X, r.Right(), z);
    if (anyGrid) {
      const std::size_t bytes = sizeof(Rgb) * width;
      // A pixel-grid line runs the whole row; the dots are copied, not drawn.
      std::memcpy(composed[0] + r.X, (pixelGrid ? pixelDots : plain) + r.X, bytes);
      std::memcpy(composed[2] + r.X, plain + r.X, bytes);
      // The whole pixel grid first, then the whole char grid over it, so
      // char-grid lines stay unbroken where pixel-grid lines cross them.
      // Kind 0 and 1 sit on even rows, kind 2 on odd ones.
      if (pixelGrid)
        for (int kind = 0; kind < 3; ++kind)
          for (int x = firstPixelLine; x < r.Right(); x += z) composed[kind][x] = PixelGridDots.At(kind == 2 ? 1 : 0);
      if (charGrid) {
        for (int col = r.X / cellWidth; col * cellWidth < r.Right(); ++col)
          if (lineTop % (CellHeightAt(h, col) * z) == 0) {
            const int from = std::max(r.X, col * cellWidth), to = std::min(r.Right(), (col + 1) * cellWidth);
            std::memcpy(composed[0] + from, charDots + from, sizeof(Rgb) * static_cast<std::size_t>(to - from));
          }
        for (int kind = 0; kind < 3; ++kind)
          for (int x = firstCharLine; x < r.Right(); x += cellWidth)
            composed[kind][x] = CharGridDots.At(kind == 2 ? 1 : 0);
      }
    }
    const int yEnd = std::min(r.Bottom(), lineTop + z);
    for (int y = std::max(r.Y, lineTop); y < yEnd; ++y) {
      const Rgb* from = !anyGrid ? plain : composed[y == lineTop ? 0 : ((y & 1) == 0 ? 1 : 2)];
      std::memcpy(out.Row(y - area.Y) + (r.X - area.X), from + r.X, sizeof(Rgb) * width);
    }
  }
}

}  // namespace chromaloom
