#include "render/marching_ants.h"

namespace chromaloom {

namespace {
constexpr Rgb White = MakeRgb(255, 255, 255);
constexpr Rgb Black = MakeRgb(0, 0, 0);

Rgb DashColour(int i) { return (i % AntsPeriod) < AntsPeriod / 2 ? White : Black; }

// Strip pixel at index i; past its end the pattern continues.
Rgb StripAt(const Raster& strip, int i) {
  const int length = strip.Width() * strip.Height();
  if (i >= length) return DashColour(i);
  return strip.Width() == 1 ? strip.At(0, i) : strip.At(i, 0);
}

void Put(Raster& surface, int x, int y, Rgb colour) {
  if (surface.Contains(x, y)) surface.At(x, y) = colour;
}
}  // namespace

AntsStrips::AntsStrips() {
  for (int x = 0; x < H.Width(); ++x) H.At(x, 0) = DashColour(x);
  for (int y = 0; y < V.Height(); ++y) V.At(0, y) = DashColour(y);
}

void DrawMarchingAnts(const std::function<void(int x, int y, Rgb colour)>& put, Rect r, int phase,
                      const AntsStrips& strips) {
  if (r.IsEmpty()) return;
  const int p = ((phase % AntsPeriod) + AntsPeriod) % AntsPeriod;
  for (int k = 0; k < r.W; ++k) {
    put(r.X + k, r.Y, StripAt(strips.H, 15 - p + k));
    put(r.X + k, r.Bottom() - 1, StripAt(strips.H, p + k));
  }
  for (int k = 0; k < r.H; ++k) {
    put(r.X, r.Y + k, StripAt(strips.V, p + k));
    put(r.Right() - 1, r.Y + k, StripAt(strips.V, 15 - p + k));
  }
}

void DrawMarchingAnts(Raster& surface, Rect r, int phase, const AntsStrips& strips) {
  DrawMarchingAnts([&surface](int x, int y, Rgb colour) { Put(surface, x, y, colour); }, r, phase, strips);
}

}  // namespace chromaloom
