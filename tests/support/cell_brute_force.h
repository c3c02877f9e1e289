// The slow reference for the image search: every attribute of both screens
// tried on one cell; rgb with Rec. 601 luma for flicker, or CIE L*a*b* (D65)
// with L* for flicker.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "picture/picture.h"
#include "picture/raster.h"

namespace chromaloom::test_support {

inline double Luma601(ZxColour c) {
  const Rgb v = ZxRgb(c);
  return 0.299 * RedOf(v) + 0.587 * GreenOf(v) + 0.114 * BlueOf(v);
}

struct Lab {
  double L, A, B;
};

inline Lab LabOf(Rgb c) {
  const auto linear = [](int v) {
    const double x = v / 255.0;
    return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  const double r = linear(RedOf(c)), g = linear(GreenOf(c)), b = linear(BlueOf(c));
  const double xyz[3] = {(0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047,
                         0.2126729 * r + 0.7151522 * g + 0.0721750 * b,
                         (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883};
  double f[3];
  for (int i = 0; i < 3; ++i)
    f[i] = xyz[i] > 216.0 / 24389.0 ? std::cbrt(xyz[i]) : (24389.0 / 27.0 * xyz[i] + 16.0) / 116.0;
  return {116.0 * f[1] - 16.0, 500.0 * (f[0] - f[1]), 200.0 * (f[1] - f[2])};
}

struct LabColours {
  std::array<Lab, ZxColourCount * ZxColourCount> Mixed{};
  std::array<double, ZxColourCount> ScreenL{};
};

inline const LabColours& LabTables() {
  static const LabColours tables = [] {
    LabColours t;
    for (int i = 0; i < ZxColourCount; ++i) {
      t.ScreenL[i] = LabOf(ZxRgb(static_cast<ZxColour>(i))).L;
      for (int j = 0; j < ZxColourCount; ++j) t.Mixed[i * ZxColourCount + j] = LabOf(MixedColourTable[i][j]);
    }
    return t;
  }();
  return tables;
}

inline double LabPixelError(const Lab& s, ZxColour a, ZxColour b, double flickerWeight) {
  const LabColours& t = LabTables();
  const Lab& m = t.Mixed[a * ZxColourCount + b];
  const double dl = t.ScreenL[a] - t.ScreenL[b];
  return (s.L - m.L) * (s.L - m.L) + (s.A - m.A) * (s.A - m.A) + (s.B - m.B) * (s.B - m.B) + flickerWeight * dl * dl;
}

inline double PixelError(Rgb source, ZxColour a, ZxColour b, double flickerWeight, bool lab = false) {
  if (lab) return LabPixelError(LabOf(source), a, b, flickerWeight);
  const Rgb m = MixedColourTable[a][b];
  const double dr = RedOf(source) - RedOf(m), dg = GreenOf(source) - GreenOf(m), db = BlueOf(source) - BlueOf(m);
  const double dl = Luma601(a) - Luma601(b);
  return dr * dr + dg * dg + db * db + flickerWeight * dl * dl;
}

// The smallest error of the cell at column col, lines y0..y0+h-1, over all
// INK, PAPER and BRIGHT of both screens.
inline double BruteForceCellError(const Raster& source, int col, int y0, int h, double flickerWeight,
                                  bool lab = false) {
  std::array<std::array<double, ZxColourCount * ZxColourCount>, 64> table{};
  const int n = 8 * h;
  for (int p = 0; p < n; ++p) {
    const Rgb c = source.At(col * 8 + p % 8, y0 + p / 8);
    const Lab s = LabOf(c);
    for (int a = 0; a < ZxColourCount; ++a)
      for (int b = 0; b < ZxColourCount; ++b) {
        const auto ca = static_cast<ZxColour>(a), cb = static_cast<ZxColour>(b);
        table[p][a * ZxColourCount + b] =
            lab ? LabPixelError(s, ca, cb, flickerWeight) : PixelError(c, ca, cb, flickerWeight);
      }
  }
  double best = std::numeric_limits<double>::infinity();
  for (int attr0 = 0; attr0 < 128; ++attr0) {
    const ZxColour ink0 = ZxColourIndex(attr0 & 7, attr0 >> 6), paper0 = ZxColourIndex((attr0 >> 3) & 7, attr0 >> 6);
    for (int attr1 = 0; attr1 < 128; ++attr1) {
      const ZxColour ink1 = ZxColourIndex(attr1 & 7, attr1 >> 6), paper1 = ZxColourIndex((attr1 >> 3) & 7, attr1 >> 6);
      const int pp = paper0 * ZxColourCount + paper1, pi = paper0 * ZxColourCount + ink1,
                ip = ink0 * ZxColourCount + paper1, ii = ink0 * ZxColourCount + ink1;
      double total = 0;
      // Plain comparisons: this runs millions of times in unoptimised test builds.
      for (int p = 0; p < n; ++p) {
        const double* t = table[p].data();
        double m = t[pp];
        if (t[pi] < m) m = t[pi];
        if (t[ip] < m) m = t[ip];
        if (t[ii] < m) m = t[ii];
        total += m;
      }
      if (total < best) best = total;
    }
  }
  return best;
}

// The colours a converted picture shows at (x, y) on both screens.
inline std::array<ZxColour, 2> ShownColours(const Planes& planes, int cellHeight, int x, int y) {
  std::array<ZxColour, 2> c{};
  const int col = x / 8, line = AttrLineOf(cellHeight, col, y);
  for (int s = 0; s < 2; ++s) {
    const AttrEntry& e = planes.Attrs[s].At(col, line);
    c[s] = planes.Pixels[s].Bit(x, y) ? e.Ink : e.Paper;
  }
  return c;
}

inline double CellError(const Planes& planes, int cellHeight, const Raster& source, int col, int y0, int h,
                        double flickerWeight, bool lab = false) {
  double total = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = col * 8; x < col * 8 + 8; ++x) {
      const auto c = ShownColours(planes, cellHeight, x, y);
      total += PixelError(source.At(x, y), c[0], c[1], flickerWeight, lab);
    }
  return total;
}

// Smooth shading, hard-edged shapes and a little grain, like a photograph.
inline Raster PhotoLikeImage(unsigned seed = 12) {
  std::mt19937 rng(seed);
  Raster image(PictureWidth, PictureHeight);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const double dx = x - 90.0, dy = y - 70.0;
      const double glow = std::max(0.0, 1.0 - (dx * dx + dy * dy) / 14000.0);
      double r = 40 + 150 * glow + 0.25 * x, g = 60 + 0.6 * y + 90 * glow, b = 170 - 0.4 * y + 40 * glow;
      if ((x - 190) * (x - 190) + (y - 130) * (y - 130) < 45 * 45) r = 210 - 0.5 * (y - 85), g = 120, b = 60;
      if (x > 20 && x < 70 && y > 120 && y < 180) r = 30, g = 110 + (x - 20), b = 40;
      const int grain = static_cast<int>(rng() % 17) - 8;
      image.At(x, y) =
          MakeRgb(std::clamp(static_cast<int>(r) + grain, 0, 255), std::clamp(static_cast<int>(g) + grain, 0, 255),
                  std::clamp(static_cast<int>(b) + grain, 0, 255));
    }
  return image;
}

inline Raster RandomImage(unsigned seed) {
  std::mt19937 rng(seed);
  Raster image(PictureWidth, PictureHeight);
  for (Rgb& p : image.Pixels()) p = 0xFF000000u | (rng() & 0xFFFFFFu);
  return image;
}

}  // namespace chromaloom::test_support
