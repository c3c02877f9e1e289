// A plain RGB image: the window wraps it in a QImage without copying.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "picture/geometry.h"
#include "picture/zx_colour.h"

namespace chromaloom {

// Pixels start on a cache line, so that the canvas, whose rows are whole
// multiples of 8 pixels, is written with aligned vector stores.
template <class T>
struct CacheLineAllocator {
  using value_type = T;
  static constexpr std::align_val_t Alignment{64};
  CacheLineAllocator() = default;
  template <class U>
  explicit CacheLineAllocator(const CacheLineAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), Alignment)); }
  void deallocate(T* p, std::size_t) { ::operator delete(p, Alignment); }
  friend bool operator==(const CacheLineAllocator&, const CacheLineAllocator&) = default;
};
using RasterPixels = std::vector<Rgb, CacheLineAllocator<Rgb>>;

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
  const RasterPixels& Pixels() const { return pixels_; }
  RasterPixels& Pixels() { return pixels_; }

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
  RasterPixels pixels_;
};

}  // namespace chromaloom
