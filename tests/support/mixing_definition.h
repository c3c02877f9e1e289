// The mixed colour of a pair as each profile defines it, worked out here
// from the definition rather than taken from the profile's table.
#pragma once

#include <array>
#include <cmath>
#include <map>
#include <string>

#include "picture/mixing_profile.h"

namespace chromaloom::test_support {

inline double SrgbToLinear(int v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline double LinearToSrgb(double l) { return l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055; }

// The archive site's models, with the numbers of its renderer's preset file.
struct SiteModel {
  MixingKind Kind;
  std::array<int, 6> Levels;  // ZZ, ZN, NN, NB, BB, ZB
  std::array<int, 9> Matrix;
};
inline constexpr std::array<SiteModel, 5> SiteModels = {{
    {MixingKind::Srgb, {0x00, 0x96, 0xCD, 0xE8, 0xFF, 0xBC}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF}},
    {MixingKind::Pulsar, {0x00, 0x76, 0xCD, 0xE9, 0xFF, 0x9F}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF}},
    {MixingKind::Orthodox, {0x00, 0x76, 0xCD, 0xE9, 0xFF, 0x9F}, {0xD0, 0, 0, 0, 0xE4, 0, 0, 0, 0xFF}},
    {MixingKind::Alone, {0x00, 0x60, 0xA0, 0xE0, 0xFF, 0xA0}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF}},
    {MixingKind::Electroscale,
     {0x4F, 0xA1, 0xDD, 0xF0, 0xFF, 0xBD},
     {0x39, 0x73, 0x1D, 0x3C, 0x77, 0x1E, 0x46, 0x8C, 0x23}},
}};

// As the site's renderer works it out: a colour is bright << 3 | green << 2 |
// red << 1 | blue; a channel's level is keyed by the two screens' states
// (Z off, N normal, B bright, either order); the matrix mixes, rounded;
inline Rgb SiteMix(const SiteModel& model, ZxColour a, ZxColour b) {
  const auto& l = model.Levels;
  const auto& m = model.Matrix;
  const auto index = [](ZxColour c) { return (IsBright(c) ? 8 : 0) | ZxColourNumber(c); };
  const auto state = [](int i, int bit) { return ((i >> bit) & 1) == 0 ? 'Z' : ((i >> 3) & 1) ? 'B' : 'N'; };
  const std::map<std::string, int> levels = {{"ZZ", l[0]}, {"ZN", l[1]}, {"NZ", l[1]}, {"NN", l[2]}, {"NB", l[3]},
                                             {"BN", l[3]}, {"BB", l[4]}, {"ZB", l[5]}, {"BZ", l[5]}};
  const int i1 = index(a), i2 = index(b);
  const auto level = [&](int bit) { return levels.at(std::string{state(i1, bit), state(i2, bit)}); };
  const double r = level(1), g = level(2), bl = level(0);
  // Then each channel through imagegammacorrect(2.2, 1.0) and back.
  const auto gamma = [](int v, double power) { return static_cast<int>(std::pow(v / 255.0, power) * 255 + .5); };
  const auto out = [&](int row) {
    const int v = static_cast<int>(std::round((r * m[3 * row] + g * m[3 * row + 1] + bl * m[3 * row + 2]) / 255.0));
    return gamma(gamma(v, 2.2), 1.0 / 2.2);
  };
  return MakeRgb(out(0), out(1), out(2));
}

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
  for (const SiteModel& model : SiteModels)
    if (model.Kind == kind) return SiteMix(model, a, b);
  const Rgb x = ZxRgb(a), y = ZxRgb(b);
  return MakeRgb(MixedChannel(kind, RedOf(x), RedOf(y)), MixedChannel(kind, GreenOf(x), GreenOf(y)),
                 MixedChannel(kind, BlueOf(x), BlueOf(y)));
}

}  // namespace chromaloom::test_support
