// Marks areas of a large image in coarse tiles, so that work on "what
// changed" costs what changed, not the size of the image.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "picture/raster.h"

namespace chromaloom {

class TileSet {
 public:
  static constexpr int TileSize = 16;

  void Reset(int width, int height);
  void Mark(Rect r);
  void MarkAll() { Mark({0, 0, width_, height_}); }
  bool IsEmpty() const { return marked_.empty(); }
  // Calls fn with one rectangle per horizontal run of marked tiles.
  void ForEachRun(const std::function<void(Rect)>& fn);
  // The same, then clears.
  void TakeRuns(const std::function<void(Rect)>& fn) {
    ForEachRun(fn);
    Clear();
  }
  void Clear();

 private:
  int width_ = 0;
  int height_ = 0;
  int tilesX_ = 0;
  int tilesY_ = 0;
  std::vector<std::uint8_t> flags_;
  std::vector<int> marked_;
};

}  // namespace chromaloom
