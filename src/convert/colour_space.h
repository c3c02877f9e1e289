// Colour spaces the import and the free-colour painting measure in.
#pragma once

#include <array>

#include "picture/zx_colour.h"

namespace chromaloom {

// An 8-bit sRGB channel in linear light, 0..1.
double SrgbToLinear(double c);
// CIE L*a*b* (D65) of an 8-bit sRGB colour, channels 0..255 (may be fractional).
std::array<float, 3> RgbToLab(double r, double g, double b);
// Rec. 601 luma, 0..255.
double Luma601(Rgb c);

}  // namespace chromaloom
