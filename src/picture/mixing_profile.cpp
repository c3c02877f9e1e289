#include "picture/mixing_profile.h"

#include <array>
#include <cmath>

namespace chromaloom {

namespace {

double ToLinear(int v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double FromLinear(double l) { return l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055; }

// Each channel of the two screens' plain colours through one rule.
template <typename Channel>
MixedColourTableType TableOf(Channel mix) {
  MixedColourTableType table{};
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Rgb x = ZxRgb(static_cast<ZxColour>(a)), y = ZxRgb(static_cast<ZxColour>(b));
      table[a][b] = MakeRgb(mix(RedOf(x), RedOf(y)), mix(GreenOf(x), GreenOf(y)), mix(BlueOf(x), BlueOf(y)));
    }
  return table;
}

}  // namespace

int AverageChannel(int x, int y) { return (x + y + 1) / 2; }

int LinearChannel(int x, int y) {
  const long v = std::lround(255 * FromLinear((ToLinear(x) + ToLinear(y)) / 2));
  return static_cast<int>(v < 0 ? 0 : v > 255 ? 255 : v);
}

MixingProfile OwnMixing() { return {}; }

MixingProfile AverageMixing() { return {MixingKind::Average, "average", TableOf(AverageChannel)}; }

MixingProfile LinearMixing() { return {MixingKind::Linear, "linear light", TableOf(LinearChannel)}; }

std::optional<MixingProfile> MixingNamed(const std::string& name) {
  if (name == "own") return OwnMixing();
  if (name == "average") return AverageMixing();
  if (name == "linear") return LinearMixing();
  return std::nullopt;
}

}  // namespace chromaloom
