// The enlarged editor image: MixedRaster scaled by whole factors, with the
// dotted pixel grid and char grid on top. One routine serves the full
// rescale, the per-cell update and the overlay wipe, so all three agree.
#include <algorithm>
#include <cstring>

#include "render/renderer.h"

namespace chromaloom {

namespace {
constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb Grey = MakeRgb(128, 128, 128);
constexpr Rgb White = MakeRgb(255, 255, 255);

// A dotted line pixel's colour follows the parity of its coordinate along the line.
constexpr Rgb PixelGridDot(int along) { return (along & 1) ? Grey : Black; }
constexpr Rgb CharGridDot(int along) { return (along & 1) ? Grey : White; }

void FillDots(Rgb* row, int from, int to, Rgb (*dot)(int)) {
  for (int x = from; x < to; ++x) row[x] = dot(x);
}
}  // namespace

void Renderer::RestoreEditorArea(Rect r) {
  r = r.Intersected(EditorImage.Bounds());
  if (r.IsEmpty()) return;
  const int z = view_.Scale();
  const int h = picture_.CharMode;
  const bool pixelGrid = view_.PixelGridOn;
  const bool charGrid = view_.CharGridOn;
  const int cellWidth = 8 * z;

  for (int y = r.Y; y < r.Bottom(); ++y) {
    Rgb* row = EditorImage.Row(y);
    const int inPixel = y % z;
    // From its fourth row on, a picture line repeats the row two above:
    // horizontal lines lie only on its first row, vertical dots alternate by row.
    if (inPixel >= 3 && y - 2 >= r.Y) {
      std::memcpy(row + r.X, EditorImage.Row(y - 2) + r.X, sizeof(Rgb) * r.W);
      continue;
    }
    const Rgb* source = MixedRaster.Row(y / z);
    for (int x = r.X; x < r.Right();) {
      const int runEnd = std::min(r.Right(), (x / z + 1) * z);
      std::fill(row + x, row + runEnd, source[x / z]);
      x = runEnd;
    }
    const int firstVertical = (r.X + z - 1) / z * z;
    if (pixelGrid) {
      if (inPixel == 0) FillDots(row, r.X, r.Right(), PixelGridDot);
      for (int x = firstVertical; x < r.Right(); x += z) row[x] = PixelGridDot(y);
    }
    if (charGrid) {
      if (inPixel == 0) {
        for (int col = r.X / cellWidth; col * cellWidth < r.Right(); ++col) {
          if (y % (CellHeightAt(h, col) * z) != 0) continue;
          FillDots(row, std::max(r.X, col * cellWidth), std::min(r.Right(), (col + 1) * cellWidth), CharGridDot);
        }
      }
      for (int x = (r.X + cellWidth - 1) / cellWidth * cellWidth; x < r.Right(); x += cellWidth)
        row[x] = CharGridDot(y);
    }
  }
}

}  // namespace chromaloom
