// Pictures with random pixels, attributes on all 192 lines and border.
#pragma once

#include <random>

#include "picture/picture.h"

namespace chromaloom::test_support {

inline Picture RandomPicture(int cellHeight, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> byte(0, 255), colour(0, 14), column(0, 8), row(0, 2);
  Picture p;
  p.CellHeight = static_cast<std::uint8_t>(cellHeight);
  for (int s = 0; s < 2; ++s) {
    for (auto& b : p.Pixels[s].Bytes) b = static_cast<std::uint8_t>(byte(rng));
    for (auto& e : p.Attrs[s].Entries) e = {static_cast<ZxColour>(colour(rng)), static_cast<ZxColour>(colour(rng))};
  }
  p.SetBorderChoice(column(rng), row(rng));
  return p;
}

}  // namespace chromaloom::test_support
