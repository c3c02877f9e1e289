// Marks areas of a large image in coarse tiles, so that work on "what
// changed" costs what changed, not the size of the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "picture/raster.h"

namespace chromaloom {

// An image cut into square tiles, numbered row by row.
struct TileGrid {
  static constexpr int TileSize = 16;
  int Width = 0, Height = 0, TilesX = 0, TilesY = 0;

  static TileGrid Of(int width, int height) {
    return {width, height, (width + TileSize - 1) / TileSize, (height + TileSize - 1) / TileSize};
  }
  std::size_t Count() const { return static_cast<std::size_t>(TilesX) * static_cast<std::size_t>(TilesY); }
  Rect Bounds() const { return {0, 0, Width, Height}; }
  // Tile index's area, clipped to the image.
  Rect TileRect(int index) const {
    return Rect{(index % TilesX) * TileSize, (index / TilesX) * TileSize, TileSize, TileSize}.Intersected(Bounds());
  }
};

class TileSet {
 public:
  static constexpr int TileSize = TileGrid::TileSize;

  void Reset(int width, int height);
  void Mark(Rect r);
  void MarkAll() { Mark(grid_.Bounds()); }
  bool IsEmpty() const { return marked_.empty(); }
  // Calls fn with one rectangle per horizontal run of marked tiles, then clears.
  void TakeRuns(const std::function<void(Rect)>& fn);
  void Clear();

 private:
  TileGrid grid_;
  std::vector<std::uint8_t> flags_;
  std::vector<int> marked_;
};

}  // namespace chromaloom
