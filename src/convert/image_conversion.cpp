#include "convert/image_conversion.h"

// The search. Each screen of a cell shows a set of two colours of one
// brightness (56 such sets); each pixel then takes the best of the four
// pairs, so a cell's error depends only on the two sets. Swapping INK and
// PAPER only flips bits, and the mixing table is symmetric, so only
// unordered pairs of sets are tried. Every set gets a lower bound (each pixel
// at its best with that set on one screen and any colour on the other); sets
// are taken in order of their bound, and the loops stop as soon as a bound or
// a partial sum reaches the best error found. Errors are never negative, so
// nothing cut off could have been better. Errors are floats: in the rgb metric
// without flicker they are whole numbers below 2^24 per cell, so exact.
//
// Flicker is the squared difference of Rec. 601 luma (rgb) or of L* (lab)
// between the two screens' colours.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

namespace chromaloom {

namespace {

constexpr int Colours = ZxColourCount;
constexpr int MaxCellPixels = 64;

struct Vec3 {
  float X = 0, Y = 0, Z = 0;
};

double SrgbToLinear(double c) {
  c /= 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabF(double t) {
  constexpr double e = 216.0 / 24389.0, k = 24389.0 / 27.0;
  return t > e ? std::cbrt(t) : (k * t + 16.0) / 116.0;
}

// CIE L*a*b* with the D65 white point.
Vec3 RgbToLab(double r, double g, double b) {
  const double lr = SrgbToLinear(r), lg = SrgbToLinear(g), lb = SrgbToLinear(b);
  const double x = (0.4124564 * lr + 0.3575761 * lg + 0.1804375 * lb) / 0.95047;
  const double y = 0.2126729 * lr + 0.7151522 * lg + 0.0721750 * lb;
  const double z = (0.0193339 * lr + 0.1191920 * lg + 0.9503041 * lb) / 1.08883;
  const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
  return {static_cast<float>(116.0 * fy - 16.0), static_cast<float>(500.0 * (fx - fy)),
          static_cast<float>(200.0 * (fy - fz))};
}

double Luma601(Rgb c) { return 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c); }

// The error model: source colours and the 225 mixed colours in the metric's
// space, and the flicker of every screen pair.
class ErrorModel {
 public:
  ErrorModel(ColourMetric metric, double flickerWeight) : metric_(metric) {
    for (int a = 0; a < Colours; ++a)
      for (int b = 0; b < Colours; ++b) {
        const Rgb m = MixedColourTable[a][b];
        mixed_[a * Colours + b] =
            ToMetric(static_cast<float>(RedOf(m)), static_cast<float>(GreenOf(m)), static_cast<float>(BlueOf(m)));
        const Rgb ca = ZxRgb(static_cast<ZxColour>(a)), cb = ZxRgb(static_cast<ZxColour>(b));
        // Luminance: Rec. 601 luma for rgb, L* for lab.
        const double d = metric == ColourMetric::Lab
                             ? static_cast<double>(RgbToLab(RedOf(ca), GreenOf(ca), BlueOf(ca)).X) -
                                   RgbToLab(RedOf(cb), GreenOf(cb), BlueOf(cb)).X
                             : Luma601(ca) - Luma601(cb);
        flicker_[a * Colours + b] = d * d;
        weightedFlicker_[a * Colours + b] = static_cast<float>(flickerWeight * d * d);
      }
  }

  Vec3 ToMetric(float r, float g, float b) const {
    return metric_ == ColourMetric::Lab ? RgbToLab(r, g, b) : Vec3{r, g, b};
  }
  float Distance(Vec3 s, int pair) const {
    const Vec3& m = mixed_[pair];
    const float dx = s.X - m.X, dy = s.Y - m.Y, dz = s.Z - m.Z;
    return dx * dx + dy * dy + dz * dz;
  }
  float Error(Vec3 s, int pair) const { return Distance(s, pair) + weightedFlicker_[pair]; }
  Vec3 Mixed(int pair) const { return mixed_[pair]; }
  float WeightedFlicker(int pair) const { return weightedFlicker_[pair]; }
  double Flicker(int pair) const { return flicker_[pair]; }

 private:
  ColourMetric metric_;
  std::array<Vec3, Colours * Colours> mixed_{};
  std::array<double, Colours * Colours> flicker_{};
  std::array<float, Colours * Colours> weightedFlicker_{};
};

// The colours one screen can show in a cell: two distinct colours of one
// brightness. A single colour is never better than a pair holding it, and
// which of the two is INK does not matter because the pixel bits follow.
struct ColourSet {
  ZxColour First = 0, Second = 0;
};
constexpr int SetCount = 56;
constexpr std::array<ColourSet, SetCount> BuildSets() {
  std::array<ColourSet, SetCount> sets{};
  int i = 0;
  for (int bright = 0; bright < 2; ++bright)
    for (int n1 = 0; n1 < 8; ++n1)
      for (int n2 = n1 + 1; n2 < 8; ++n2) sets[i++] = {ZxColourIndex(n1, bright), ZxColourIndex(n2, bright)};
  return sets;
}
constexpr std::array<ColourSet, SetCount> Sets = BuildSets();

struct CellChoice {
  ColourSet Screen[2];
};

// Sums of eight lanes, so the compiler can keep them in vector registers.
inline float SumMin(const float* a, const float* b, int n, float bound) {
  float total = 0;
  for (int p = 0; p < n; p += 8) {
    float lanes[8];
    for (int k = 0; k < 8; ++k) lanes[k] = b[p + k] < a[p + k] ? b[p + k] : a[p + k];
    float chunk = 0;
    for (int k = 0; k < 8; ++k) chunk += lanes[k];
    total += chunk;
    // Errors are never negative, so a partial sum at the bound already loses.
    if (total >= bound) return total;
  }
  return total;
}

// The exact best pair of colour sets for one cell.
class CellSearch {
 public:
  // source: the cell's n pixels (n a multiple of 8) in the metric's space.
  CellChoice Find(const ErrorModel& model, const Vec3* source, int n) {
    float* rowMin = rowMin_.data();
    std::fill(rowMin, rowMin + Colours * MaxCellPixels, std::numeric_limits<float>::infinity());
    // The mixing table is symmetric, so (a, b) and (b, a) share one row;
    // rowMin[a][p] is the best a pixel can do with a on either screen.
    for (int a = 0; a < Colours; ++a)
      for (int b = a; b < Colours; ++b) {
        float* ab = Err(a, b);
        const Vec3 m = model.Mixed(a * Colours + b);
        const float f = model.WeightedFlicker(a * Colours + b);
        float* minA = rowMin + a * MaxCellPixels;
        float* minB = rowMin + b * MaxCellPixels;
        for (int p = 0; p < n; ++p) {
          const float dx = source[p].X - m.X, dy = source[p].Y - m.Y, dz = source[p].Z - m.Z;
          const float e = dx * dx + dy * dy + dz * dz + f;
          ab[p] = e;
          if (e < minA[p]) minA[p] = e;
          if (e < minB[p]) minB[p] = e;
        }
      }
    // A lower bound per set, whatever the other screen shows; it holds for
    // either screen because of the symmetry.
    std::array<float, SetCount> bound{};
    for (int s = 0; s < SetCount; ++s)
      bound[s] = SumMin(&rowMin_[Sets[s].First * MaxCellPixels], &rowMin_[Sets[s].Second * MaxCellPixels], n,
                        std::numeric_limits<float>::infinity());
    std::array<int, SetCount> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return bound[x] < bound[y]; });

    float best = std::numeric_limits<float>::infinity();
    CellChoice choice{{Sets[order[0]], Sets[order[0]]}};
    for (int i = 0; i < SetCount; ++i) {
      const int a = order[i];
      if (bound[a] >= best) break;  // sorted: every later set is bounded at least as high
      // bestWith[b][p]: the best of the set's two colours against b on the
      // other screen, filled in only for the colours the loop below reaches.
      std::array<bool, Colours> filled{};
      const auto bestWith = [&](ZxColour b) {
        float* row = bestWith_.data() + b * MaxCellPixels;
        if (!filled[b]) {
          filled[b] = true;
          const float* e1 = Err(Sets[a].First, b);
          const float* e2 = Err(Sets[a].Second, b);
          for (int p = 0; p < n; ++p) row[p] = e2[p] < e1[p] ? e2[p] : e1[p];
        }
        return row;
      };
      // Pairs with an earlier set were tried when that set came first.
      for (int j = i; j < SetCount; ++j) {
        const int b = order[j];
        if (bound[b] >= best) break;
        const float cost = SumMin(bestWith(Sets[b].First), bestWith(Sets[b].Second), n, best);
        if (cost < best) {
          best = cost;
          choice = {{Sets[a], Sets[b]}};
        }
      }
    }
    return choice;
  }

  // After Find: the error of the pair (a, b) at pixel p.
  float ErrorAt(int a, int b, int p) const { return err_[Row(a, b) + p]; }

 private:
  static int Row(int a, int b) { return (a < b ? a * Colours + b : b * Colours + a) * MaxCellPixels; }
  float* Err(int a, int b) { return err_.data() + Row(a, b); }
  std::array<float, Colours * Colours * MaxCellPixels> err_{};
  std::array<float, Colours * MaxCellPixels> rowMin_{};
  std::array<float, Colours * MaxCellPixels> bestWith_{};
};

// k = 2*bit0 + bit1, as in CharPalette.
int PairOf(const CellChoice& c, int k) {
  const ZxColour a = (k & 2) ? c.Screen[0].Second : c.Screen[0].First;
  const ZxColour b = (k & 1) ? c.Screen[1].Second : c.Screen[1].First;
  return a * Colours + b;
}

template <typename ErrorOf>
int BestOfFour(const CellChoice& c, ErrorOf errorOf) {
  int best = 0;
  float bestError = errorOf(PairOf(c, 0));
  for (int k = 1; k < 4; ++k) {
    const float e = errorOf(PairOf(c, k));
    if (e < bestError) {
      bestError = e;
      best = k;
    }
  }
  return best;
}

void WriteCell(Planes& planes, int col, int y0, int h, const CellChoice& c) {
  for (int y = y0; y < y0 + h; ++y)
    for (int s = 0; s < 2; ++s) planes.Attrs[s].At(col, y) = {c.Screen[s].First, c.Screen[s].Second};
}

void SetBits(Planes& planes, int x, int y, int k) {
  planes.Pixels[0].SetBit(x, y, (k & 2) != 0);
  planes.Pixels[1].SetBit(x, y, (k & 1) != 0);
}

// The source pixels being converted, in floats so diffused error can add up:
// byte columns First..First + Columns - 1 of lines 0..Height - 1, addressed by
// picture coordinates.
struct Working {
  int First = 0, Columns = ByteColumns, Height = PictureHeight;
  std::vector<std::array<float, 3>> Pixels;

  int Left() const { return First * 8; }
  int Right() const { return (First + Columns) * 8; }
  std::array<float, 3>& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Columns * 8 + (x - Left())]; }
  const std::array<float, 3>& At(int x, int y) const {
    return Pixels[static_cast<std::size_t>(y) * Columns * 8 + (x - Left())];
  }
};

// Diffused error can push a value past 0..255; clamping it when read keeps
// the error from running away.
float Clamp255(float v) { return std::clamp(v, 0.0f, 255.0f); }

Vec3 MetricAt(const ErrorModel& model, const Working& work, int x, int y) {
  const auto& w = work.At(x, y);
  return model.ToMetric(Clamp255(w[0]), Clamp255(w[1]), Clamp255(w[2]));
}

CellChoice SearchCell(const ErrorModel& model, CellSearch& search, const Working& work, int col, int y0, int h) {
  std::array<Vec3, MaxCellPixels> cell{};
  for (int dy = 0; dy < h; ++dy)
    for (int dx = 0; dx < 8; ++dx) cell[dy * 8 + dx] = MetricAt(model, work, col * 8 + dx, y0 + dy);
  return search.Find(model, cell.data(), 8 * h);
}

// Bayer 4 x 4 offsets over 64 levels, about the gaps between neighbouring
// mixed levels (0, 115, 157, 202, 230, 254) above the first.
void ApplyOrderedThreshold(Working& work) {
  constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  constexpr float spread = 64.0f;
  for (int y = 0; y < work.Height; ++y)
    for (int x = work.Left(); x < work.Right(); ++x) {
      const float offset = ((static_cast<float>(bayer[y % 4][x % 4]) + 0.5f) / 16.0f - 0.5f) * spread;
      for (float& v : work.At(x, y)) v += offset;
    }
}

void ConvertCells(const ErrorModel& model, const Working& work, int cellHeight, Planes& planes) {
  CellSearch search;
  for (int col = work.First; col < work.First + work.Columns; ++col) {
    const int h = CellHeightAt(cellHeight, col);
    for (int y0 = 0; y0 < work.Height; y0 += h) {
      const CellChoice c = SearchCell(model, search, work, col, y0, h);
      WriteCell(planes, col, y0, h, c);
      for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < 8; ++dx) {
          const int p = dy * 8 + dx;
          const int k = BestOfFour(c, [&](int pair) { return search.ErrorAt(pair / Colours, pair % Colours, p); });
          SetBits(planes, col * 8 + dx, y0 + dy, k);
        }
    }
  }
}

struct Spread {
  int Dx, Dy;
  float Share;
};
constexpr std::array<Spread, 4> FloydSteinberg = {
    {{1, 0, 7.0f / 16}, {-1, 1, 3.0f / 16}, {0, 1, 5.0f / 16}, {1, 1, 1.0f / 16}}};
// Atkinson passes on only 6/8 of the error.
constexpr std::array<Spread, 6> Atkinson = {
    {{1, 0, 1.0f / 8}, {2, 0, 1.0f / 8}, {-1, 1, 1.0f / 8}, {0, 1, 1.0f / 8}, {1, 1, 1.0f / 8}, {0, 2, 1.0f / 8}}};

// Line by line: when a line starts a cell, that cell's attributes are chosen
// by the exact search on the error-adjusted source as it stands (its upper
// lines carry the error from above); then the line's pixels are chosen among
// their cells' four mixed colours and their error, against the mixed colour
// shown, moves on in serpentine order.
template <std::size_t N>
void ConvertDiffused(const ErrorModel& model, Working& work, int cellHeight, const std::array<Spread, N>& kernel,
                     Planes& planes) {
  CellSearch search;
  std::array<CellChoice, ByteColumns> current{};
  for (int y = 0; y < work.Height; ++y) {
    for (int col = work.First; col < work.First + work.Columns; ++col) {
      if (AttrLineOf(cellHeight, col, y) != y) continue;
      const int h = CellHeightAt(cellHeight, col);
      current[col] = SearchCell(model, search, work, col, y, h);
      WriteCell(planes, col, y, h, current[col]);
    }
    const int dir = (y % 2 == 0) ? 1 : -1;
    for (int i = work.Left(); i < work.Right(); ++i) {
      const int x = dir > 0 ? i : work.Left() + work.Right() - 1 - i;
      auto& w = work.At(x, y);
      const float r = Clamp255(w[0]), g = Clamp255(w[1]), b = Clamp255(w[2]);
      const Vec3 s = model.ToMetric(r, g, b);
      const CellChoice& c = current[x / 8];
      const int k = BestOfFour(c, [&](int pair) { return model.Error(s, pair); });
      SetBits(planes, x, y, k);
      const int pair = PairOf(c, k);
      const Rgb shown = MixedColourTable[pair / Colours][pair % Colours];
      const float er = r - static_cast<float>(RedOf(shown)), eg = g - static_cast<float>(GreenOf(shown)),
                  eb = b - static_cast<float>(BlueOf(shown));
      for (const Spread& sp : kernel) {
        const int tx = x + sp.Dx * dir, ty = y + sp.Dy;
        if (tx < work.Left() || tx >= work.Right() || ty >= work.Height) continue;
        auto& t = work.At(tx, ty);
        t[0] += er * sp.Share;
        t[1] += eg * sp.Share;
        t[2] += eb * sp.Share;
      }
    }
  }
}

ImageConversionStats MeasureStats(const ErrorModel& model, const Raster& source, const Working& area,
                                  const Planes& planes, int cellHeight) {
  double error = 0, flicker = 0;
  for (int y = 0; y < area.Height; ++y)
    for (int x = area.Left(); x < area.Right(); ++x) {
      const int col = x / 8, line = AttrLineOf(cellHeight, col, y);
      ZxColour c[2];
      for (int s = 0; s < 2; ++s) {
        const AttrEntry& e = planes.Attrs[s].At(col, line);
        c[s] = planes.Pixels[s].Bit(x, y) ? e.Ink : e.Paper;
      }
      const int pair = c[0] * Colours + c[1];
      const Rgb src = source.At(x - area.Left(), y);
      error += model.Distance(model.ToMetric(static_cast<float>(RedOf(src)), static_cast<float>(GreenOf(src)),
                                             static_cast<float>(BlueOf(src))),
                              pair);
      flicker += model.Flicker(pair);
    }
  const double pixels = static_cast<double>(area.Right() - area.Left()) * area.Height;
  return {error / pixels, flicker / pixels};
}

void CheckOptions(const ImageConversionOptions& options) {
  if (!IsValidCellHeight(options.CellHeight))
    throw std::invalid_argument("the cell height must be 8, 4, 2 or 1, not " + std::to_string(options.CellHeight));
  if (!(options.FlickerWeight >= 0.0 && options.FlickerWeight <= MaxFlickerWeight))
    throw std::invalid_argument("the flicker weight must be between 0 and " +
                                std::to_string(static_cast<int>(MaxFlickerWeight)));
  switch (options.Dither) {
    case Dithering::None:
    case Dithering::Ordered:
    case Dithering::FloydSteinberg:
    case Dithering::Atkinson:
      break;
    default:
      throw std::invalid_argument("unknown dithering");
  }
  if (options.Metric != ColourMetric::Srgb && options.Metric != ColourMetric::Lab)
    throw std::invalid_argument("unknown colour metric");
}

}  // namespace

ImageConversion ConvertImage(const Raster& source, const ImageConversionOptions& options) {
  if (source.Width() != PictureWidth || source.Height() != PictureHeight)
    throw std::invalid_argument("the image must be 256 x 192 pixels, not " + std::to_string(source.Width()) + " x " +
                                std::to_string(source.Height()));
  return ConvertImagePart(source, 0, options);
}

ImageConversion ConvertImagePart(const Raster& source, int firstColumn, const ImageConversionOptions& options) {
  CheckOptions(options);
  const int w = source.Width(), h = source.Height();
  bool wholeCells = w > 0 && h > 0 && w % 8 == 0 && firstColumn >= 0 && firstColumn < ByteColumns &&
                    firstColumn * 8 + w <= PictureWidth && h <= PictureHeight;
  for (int col = firstColumn; wholeCells && col < firstColumn + w / 8; ++col)
    wholeCells = h % CellHeightAt(options.CellHeight, col) == 0;
  if (!wholeCells)
    throw std::invalid_argument("a part of " + std::to_string(w) + " x " + std::to_string(h) + " from column " +
                                std::to_string(firstColumn) + " is not whole cells inside the picture");
  const ErrorModel model(options.Metric, options.FlickerWeight);
  Working work{firstColumn, w / 8, h, std::vector<std::array<float, 3>>(static_cast<std::size_t>(w) * h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb c = source.At(x, y);
      work.At(work.Left() + x, y) = {static_cast<float>(RedOf(c)), static_cast<float>(GreenOf(c)),
                                     static_cast<float>(BlueOf(c))};
    }
  ImageConversion result;
  switch (options.Dither) {
    case Dithering::None:
      ConvertCells(model, work, options.CellHeight, result.Result);
      break;
    case Dithering::Ordered:
      ApplyOrderedThreshold(work);
      ConvertCells(model, work, options.CellHeight, result.Result);
      break;
    case Dithering::FloydSteinberg:
      ConvertDiffused(model, work, options.CellHeight, FloydSteinberg, result.Result);
      break;
    case Dithering::Atkinson:
      ConvertDiffused(model, work, options.CellHeight, Atkinson, result.Result);
      break;
  }
  result.Stats = MeasureStats(model, source, work, result.Result, options.CellHeight);
  return result;
}

std::optional<Dithering> DitheringNamed(std::string_view name) { return ChoiceNamed<Dithering>(DitherChoices, name); }

std::optional<ColourMetric> ColourMetricNamed(std::string_view name) {
  return ChoiceNamed<ColourMetric>(MetricChoices, name);
}

}  // namespace chromaloom
