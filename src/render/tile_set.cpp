#include "render/tile_set.h"

#include <algorithm>

namespace chromaloom {

void TileSet::Reset(int width, int height) {
  grid_ = TileGrid::Of(width, height);
  flags_.assign(grid_.Count(), 0);
  marked_.clear();
}

void TileSet::Mark(Rect r) {
  r = r.Intersected(grid_.Bounds());
  if (r.IsEmpty()) return;
  const int tx0 = r.X / TileSize, tx1 = (r.Right() - 1) / TileSize;
  const int ty0 = r.Y / TileSize, ty1 = (r.Bottom() - 1) / TileSize;
  for (int ty = ty0; ty <= ty1; ++ty)
    for (int tx = tx0; tx <= tx1; ++tx) {
      const int index = ty * grid_.TilesX + tx;
      if (!flags_[index]) {
        flags_[index] = 1;
        marked_.push_back(index);
      }
    }
}

void TileSet::TakeRuns(const std::function<void(Rect)>& fn) {
  std::sort(marked_.begin(), marked_.end());
  const Rect bounds = grid_.Bounds();
  std::size_t i = 0;
  while (i < marked_.size()) {
    const int first = marked_[i];
    int last = first;
    // A run stays within one tile row.
    while (i + 1 < marked_.size() && marked_[i + 1] == last + 1 && (last + 1) % grid_.TilesX != 0) last = marked_[++i];
    ++i;
    const int ty = first / grid_.TilesX;
    const Rect run{(first % grid_.TilesX) * TileSize, ty * TileSize, (last - first + 1) * TileSize, TileSize};
    fn(run.Intersected(bounds));
  }
  Clear();
}

void TileSet::Clear() {
  for (int index : marked_) flags_[index] = 0;
  marked_.clear();
}

}  // namespace chromaloom
