// The mixed colour of a pair as each profile defines it, worked out here
// from the definition rather than taken from the profile's table.
#pragma once

#include <cmath>

#include "picture/mixing_profile.h"

namespace chromaloom::test_support {

inline double SrgbToLinear(int v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline double LinearToSrgb(double l) { return l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055; }

inline int MixedChannel(MixingKind kind, int x, int y) {
  switch (kind) {
    case MixingKind::Average:
      return static_cast<int>(std::floor((x + y) / 2.0 + 0.5));
    case MixingKind::Linear:
      return static_cast<int>(std::lround(255 * LinearToSrgb((SrgbToLinear(x) + SrgbToLinear(y)) / 2)));
    default:
      return MixChannel(x, y);
  }
}

inline Rgb MixedByDefinition(MixingKind kind, ZxColour a, ZxColour b) {
  const Rgb x = ZxRgb(a), y = ZxRgb(b);
  return MakeRgb(MixedChannel(kind, RedOf(x), RedOf(y)), MixedChannel(kind, GreenOf(x), GreenOf(y)),
                 MixedChannel(kind, BlueOf(x), BlueOf(y)));
}

}  // namespace chromaloom::test_support
