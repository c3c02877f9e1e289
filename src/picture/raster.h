// A plain RGB image: the window wraps it in a QImage without copying.
#pragma once

#include <cstdint>
#include <vector>

#include "picture/geometry.h"
#include "picture/zx_colour.h"

namespace chromaloom {

class Raster {
 public:
  Raster() = default;
  Raster(int width, int height, Rgb fill = MakeRgb(0, 0, 0));

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Rgb At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  Rgb& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  Rgb* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Rgb* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::vector<Rgb>& Pixels() const { return pixels_; }
  std::vector<Rgb>& Pixels() { return pixels_; }

  void Resize(int width, int height, Rgb fill = MakeRgb(0, 0, 0));
  // Pixels outside the raster are skipped.
  void FillRect(Rect r, Rgb colour);
  // 1:1 copy of src's area into this raster at (dx, dy), clipped on both sides.
  void CopyFrom(const Raster& src, Rect srcArea, int dx, int dy);
  // Enlarges src by whole factors (pixel replication) into the area at (dx, dy).
  void ScaleFrom(const Raster& src, int factorX, int factorY, int dx, int dy);

  friend bool operator==(const Raster&, const Raster&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

}  // namespace chromaloom
