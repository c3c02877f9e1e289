// Pixels drawn over the editor image, kept only in the tiles they touch,
// each with the mask of the pixels drawn: the overlay is drawn once when it
// changes and then copied into every area the window paints.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "picture/raster.h"
#include "render/tile_set.h"

namespace chromaloom {

class OverlayTiles {
 public:
  static constexpr int TileSize = TileGrid::TileSize;
  static_assert(TileSize == 16, "a tile row's mask is 16 bits");

  // An empty overlay over an image of this size.
  void Reset(int width, int height);
  void Clear();
  // Draws r (clipped to the image) in one colour.
  void Fill(Rect r, Rgb colour);
  // Calls fn with the rectangle of each tile holding drawn pixels.
  void ForEachTile(const std::function<void(Rect)>& fn) const;
  // The drawn pixels within area, into out, whose top-left is area's.
  void PaintOver(Rect area, Raster& out) const;

 private:
  struct Tile {
    std::array<Rgb, TileSize * TileSize> Pixels{};
    std::array<std::uint16_t, TileSize> Drawn{};  // a bit per pixel, row by row
  };
  Tile& TileAt(int index);
  void PaintTile(int index, const Tile& tile, Rect area, Raster& out) const;

  TileGrid grid_;
  std::vector<int> slotOf_;   // for each tile of the image, its place in tiles_, or -1
  std::vector<Tile> tiles_;   // the tiles drawn in
  std::vector<int> indexOf_;  // the image tile each of them is
};

}  // namespace chromaloom
