#include "convert/colour_space.h"

#include <cmath>

namespace chromaloom {

namespace {

double LabF(double t) {
  constexpr double e = 216.0 / 24389.0, k = 24389.0 / 27.0;
  return t > e ? std::cbrt(t) : (k * t + 16.0) / 116.0;
}

}  // namespace

double SrgbToLinear(double c) {
  c /= 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::array<float, 3> RgbToLab(double r, double g, double b) {
  const double lr = SrgbToLinear(r), lg = SrgbToLinear(g), lb = SrgbToLinear(b);
  const double x = (0.4124564 * lr + 0.3575761 * lg + 0.1804375 * lb) / 0.95047;
  const double y = 0.2126729 * lr + 0.7151522 * lg + 0.0721750 * lb;
  const double z = (0.0193339 * lr + 0.1191920 * lg + 0.9503041 * lb) / 1.08883;
  const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
  return {static_cast<float>(116.0 * fy - 16.0), static_cast<float>(500.0 * (fx - fy)),
          static_cast<float>(200.0 * (fy - fz))};
}

double Luma601(Rgb c) { return 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c); }

}  // namespace chromaloom
