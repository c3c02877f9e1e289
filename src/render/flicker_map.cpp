#include "render/flicker_map.h"

namespace chromaloom {

int CountStrongFlicker(const Raster& screen0, const Raster& screen1) {
  if (screen0.Width() != screen1.Width() || screen0.Height() != screen1.Height()) return 0;
  int strong = 0;
  for (int y = 0; y < screen0.Height(); ++y) {
    const Rgb* row0 = screen0.Row(y);
    const Rgb* row1 = screen1.Row(y);
    for (int x = 0; x < screen0.Width(); ++x) strong += FlickerLevelOf(row0[x], row1[x]) == FlickerLevel::Strong;
  }
  return strong;
}

}  // namespace chromaloom
