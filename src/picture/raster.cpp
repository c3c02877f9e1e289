#include "picture/raster.h"

#include <algorithm>

namespace chromaloom {

Raster::Raster(int width, int height, Rgb fill) { Resize(width, height, fill); }

void Raster::Resize(int width, int height, Rgb fill) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<std::size_t>(width_) * height_, fill);
}

void Raster::FillRect(Rect r, Rgb colour) {
  r = r.Intersected(Bounds());
  for (int y = r.Y; y < r.Bottom(); ++y) std::fill_n(Row(y) + r.X, r.W, colour);
}

void Raster::CopyFrom(const Raster& src, Rect srcArea, int dx, int dy) {
  srcArea = srcArea.Intersected(src.Bounds());
  Rect dst = Rect{dx, dy, srcArea.W, srcArea.H}.Intersected(Bounds());
  if (dst.IsEmpty()) return;
  const int sx = srcArea.X + (dst.X - dx);
  const int sy = srcArea.Y + (dst.Y - dy);
  for (int row = 0; row < dst.H; ++row) std::copy_n(src.Row(sy + row) + sx, dst.W, Row(dst.Y + row) + dst.X);
}

void Raster::ScaleFrom(const Raster& src, int factorX, int factorY, int dx, int dy) {
  if (factorX <= 0 || factorY <= 0) return;
  const Rect dst = Rect{dx, dy, src.Width() * factorX, src.Height() * factorY}.Intersected(Bounds());
  for (int y = dst.Y; y < dst.Bottom(); ++y) {
    const Rgb* from = src.Row((y - dy) / factorY);
    Rgb* to = Row(y);
    for (int x = dst.X; x < dst.Right(); ++x) to[x] = from[(x - dx) / factorX];
  }
}

}  // namespace chromaloom
