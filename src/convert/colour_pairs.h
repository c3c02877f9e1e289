// The colours one screen can show in a cell: two distinct colours of one
// brightness, First as PAPER and Second as INK (56 pairs). A single colour
// is never better than a pair holding it, and which of the two is INK does
// not matter to what a cell can show, because the pixel bits follow.
#pragma once

#include <array>

#include "picture/zx_colour.h"

namespace chromaloom {

struct ColourPair {
  ZxColour First = 0, Second = 0;
};

inline constexpr int ColourPairCount = 56;

constexpr std::array<ColourPair, ColourPairCount> BuildColourPairs() {
  std::array<ColourPair, ColourPairCount> pairs{};
  int i = 0;
  for (int bright = 0; bright < 2; ++bright)
    for (int n1 = 0; n1 < 8; ++n1)
      for (int n2 = n1 + 1; n2 < 8; ++n2) pairs[i++] = {ZxColourIndex(n1, bright), ZxColourIndex(n2, bright)};
  return pairs;
}

inline constexpr std::array<ColourPair, ColourPairCount> ColourPairs = BuildColourPairs();

}  // namespace chromaloom
