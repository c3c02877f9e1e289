#include "render/overlay_tiles.h"

#include <algorithm>
#include <bit>

namespace chromaloom {

void OverlayTiles::Reset(int width, int height) {
  grid_ = TileGrid::Of(width, height);
  slotOf_.assign(grid_.Count(), -1);
  tiles_.clear();
  indexOf_.clear();
}

void OverlayTiles::Clear() {
  for (const int index : indexOf_) slotOf_[static_cast<std::size_t>(index)] = -1;
  tiles_.clear();
  indexOf_.clear();
}

OverlayTiles::Tile& OverlayTiles::TileAt(int index) {
  int& slot = slotOf_[static_cast<std::size_t>(index)];
  if (slot < 0) {
    slot = static_cast<int>(tiles_.size());
    tiles_.emplace_back();
    indexOf_.push_back(index);
  }
  return tiles_[static_cast<std::size_t>(slot)];
}

void OverlayTiles::Fill(Rect r, Rgb colour) {
  const int x0 = std::max(r.X, 0), x1 = std::min(r.Right(), grid_.Width);
  const int y0 = std::max(r.Y, 0), y1 = std::min(r.Bottom(), grid_.Height);
  if (x0 >= x1 || y0 >= y1) return;
  for (int ty = y0 / TileSize; ty <= (y1 - 1) / TileSize; ++ty)
    for (int tx = x0 / TileSize; tx <= (x1 - 1) / TileSize; ++tx) {
      Tile& tile = TileAt(ty * grid_.TilesX + tx);
      const int left = std::max(x0, tx * TileSize) - tx * TileSize;
      const int right = std::min(x1, (tx + 1) * TileSize) - tx * TileSize;
      const auto bits = static_cast<std::uint16_t>(((1u << (right - left)) - 1) << left);
      const int top = std::max(y0, ty * TileSize) - ty * TileSize;
      const int bottom = std::min(y1, (ty + 1) * TileSize) - ty * TileSize;
      for (int y = top; y < bottom; ++y) {
        std::fill_n(tile.Pixels.begin() + y * TileSize + left, right - left, colour);
        tile.Drawn[static_cast<std::size_t>(y)] |= bits;
      }
    }
}

void OverlayTiles::ForEachTile(const std::function<void(Rect)>& fn) const {
  for (const int index : indexOf_) fn(grid_.TileRect(index));
}

void OverlayTiles::PaintTile(int index, const Tile& tile, Rect area, Raster& out) const {
  const Rect part = grid_.TileRect(index).Intersected(area);
  const int left = (index % grid_.TilesX) * TileSize, top = (index / grid_.TilesX) * TileSize;
  for (int y = part.Y; y < part.Bottom(); ++y) {
    const std::uint16_t drawn = tile.Drawn[static_cast<std::size_t>(y - top)];
    if (drawn == 0) continue;
    Rgb* row = out.Row(y - area.Y);
    const Rgb* pixels = tile.Pixels.data() + (y - top) * TileSize;
    // A run of drawn pixels at a time, within the part of the tile shown.
    unsigned bits = drawn & (((1u << (part.Right() - left)) - 1) & ~((1u << (part.X - left)) - 1));
    while (bits != 0) {
      const int from = std::countr_zero(bits), length = std::countr_one(bits >> from);
      std::copy_n(pixels + from, length, row + (left + from - area.X));
      bits &= ~(((1u << length) - 1) << from);
    }
  }
}

void OverlayTiles::PaintOver(Rect area, Raster& out) const {
  const Rect inside = area.Intersected(grid_.Bounds());
  if (inside.IsEmpty() || tiles_.empty()) return;
  const int tx0 = inside.X / TileSize, tx1 = (inside.Right() - 1) / TileSize;
  const int ty0 = inside.Y / TileSize, ty1 = (inside.Bottom() - 1) / TileSize;
  // Whichever is fewer: the area's tiles looked up, or the overlay's tiles tried.
  if (static_cast<std::size_t>((tx1 - tx0 + 1) * (ty1 - ty0 + 1)) < tiles_.size()) {
    for (int ty = ty0; ty <= ty1; ++ty)
      for (int tx = tx0; tx <= tx1; ++tx)
        if (const int slot = slotOf_[static_cast<std::size_t>(ty * grid_.TilesX + tx)]; slot >= 0)
          PaintTile(ty * grid_.TilesX + tx, tiles_[static_cast<std::size_t>(slot)], area, out);
  } else {
    for (std::size_t slot = 0; slot < tiles_.size(); ++slot) {
      const int index = indexOf_[slot], tx = index % grid_.TilesX, ty = index / grid_.TilesX;
      if (tx >= tx0 && tx <= tx1 && ty >= ty0 && ty <= ty1) PaintTile(index, tiles_[slot], area, out);
    }
  }
}

}  // namespace chromaloom
