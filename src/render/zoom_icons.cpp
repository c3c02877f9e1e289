#include "render/zoom_icons.h"

#include <algorithm>

namespace chromaloom {

namespace {
constexpr Rgb Face = MakeRgb(212, 208, 200);
constexpr Rgb Rim = MakeRgb(32, 32, 32);
constexpr Rgb Lens = MakeRgb(255, 255, 255);
constexpr Rgb Handle = MakeRgb(96, 64, 32);
constexpr Rgb Digit = MakeRgb(0, 0, 202);

// 3 x 5 digits 1..4, one row per string, '#' set.
constexpr const char* DigitRows[4][5] = {
    {".#.", "##.", ".#.", ".#.", "###"},
    {"##.", "..#", ".#.", "#..", "###"},
    {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"},
};
}  // namespace

Raster MakeZoomIcon(int zoomLevel) {
  const int level = std::clamp(zoomLevel, 1, 4);
  Raster icon(ZoomIconSize, ZoomIconSize, Face);
  // A magnifying glass: round lens with a rim, handle to the bottom right.
  const int cx = 9, cy = 9;
  for (int y = 0; y < ZoomIconSize; ++y)
    for (int x = 0; x < ZoomIconSize; ++x) {
      const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d2 <= 36)
        icon.At(x, y) = Lens;
      else if (d2 <= 64)
        icon.At(x, y) = Rim;
    }
  for (int i = 14; i <= 20; ++i)
    for (int w = -1; w <= 1; ++w)
      if (icon.Contains(i + w, i)) icon.At(i + w, i) = Handle;
  // The level as a digit, doubled to 6 x 10, in the lens.
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 3; ++col)
      if (DigitRows[level - 1][row][col] == '#') icon.FillRect({cx - 3 + 2 * col, cy - 5 + 2 * row, 2, 2}, Digit);
  return icon;
}

std::array<Raster, 3> MakeSelectorIcons() { return {MakeZoomIcon(2), MakeZoomIcon(3), MakeZoomIcon(4)}; }

}  // namespace chromaloom
