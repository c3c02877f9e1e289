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

#include "convert/colour_pairs.h"
#include "convert/colour_space.h"

namespace chromaloom {

namespace {

constexpr int Colours = ZxColourCount;
constexpr int MaxCellPixels = 64;

struct Vec3 {
  float X = 0, Y = 0, Z = 0;
};

// CIE L*a*b* with the D65 white point.
Vec3 LabOf(double r, double g, double b) {
  const auto lab = RgbToLab(r, g, b);
  return {lab[0], lab[1], lab[2]};
}

// The error model: source colours and the 225 mixed colours in the metric's
// space, and the flicker of every screen pair.
class ErrorModel {
 public:
  // linearMixes: the mixed colours in linear light (0..255) for sources
  // given in linear light; only with the rgb metric.
  ErrorModel(const MixedColourTableType& mixing, ColourMetric metric, double flickerWeight, bool linearMixes = false)
      : mixing_(mixing), metric_(metric), flickerWeight_(flickerWeight) {
    for (int a = 0; a < Colours; ++a)
      for (int b = 0; b < Colours; ++b) {
        const Rgb m = mixing[a][b];
        mixed_[a * Colours + b] = ToMetric(Linearised(RedOf(m), linearMixes), Linearised(GreenOf(m), linearMixes),
                                           Linearised(BlueOf(m), linearMixes));
        const Rgb ca = ZxRgb(static_cast<ZxColour>(a)), cb = ZxRgb(static_cast<ZxColour>(b));
        // Luminance: Rec. 601 luma for rgb, L* for lab.
        const double d = metric == ColourMetric::Lab
                             ? static_cast<double>(LabOf(RedOf(ca), GreenOf(ca), BlueOf(ca)).X) -
                                   LabOf(RedOf(cb), GreenOf(cb), BlueOf(cb)).X
                             : Luma601(ca) - Luma601(cb);
        flicker_[a * Colours + b] = d * d;
        weightedFlicker_[a * Colours + b] = static_cast<float>(flickerWeight * d * d);
      }
  }

  static float Linearised(int c, bool linear) {
    return linear ? static_cast<float>(255.0 * SrgbToLinear(c)) : static_cast<float>(c);
  }
  Vec3 ToMetric(float r, float g, float b) const {
    return metric_ == ColourMetric::Lab ? LabOf(r, g, b) : Vec3{r, g, b};
  }
  float Distance(Vec3 s, int pair) const {
    const Vec3& m = mixed_[pair];
    const float dx = s.X - m.X, dy = s.Y - m.Y, dz = s.Z - m.Z;
    return dx * dx + dy * dy + dz * dz;
  }
  float Error(Vec3 s, int pair) const { return Distance(s, pair) + weightedFlicker_[pair]; }
  Vec3 Mixed(int pair) const { return mixed_[pair]; }
  Rgb MixedRgb(int pair) const { return mixing_[pair / Colours][pair % Colours]; }
  const MixedColourTableType& Mixing() const { return mixing_; }
  float WeightedFlicker(int pair) const { return weightedFlicker_[pair]; }
  double FlickerWeightOf() const { return flickerWeight_; }
  double Flicker(int pair) const { return flicker_[pair]; }

 private:
  const MixedColourTableType& mixing_;
  ColourMetric metric_;
  double flickerWeight_ = 0;
  std::array<Vec3, Colours * Colours> mixed_{};
  std::array<double, Colours * Colours> flicker_{};
  std::array<float, Colours * Colours> weightedFlicker_{};
};

using ColourSet = ColourPair;
constexpr int SetCount = ColourPairCount;
constexpr const std::array<ColourSet, SetCount>& Sets = ColourPairs;

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
  CellChoice Find(const ErrorModel& model, const Vec3* source, int n) { return FindBest(model, source, n, 1)[0]; }

  // The count best pairs of sets, best first (fewer only if there are fewer pairs).
  std::vector<CellChoice> FindBest(const ErrorModel& model, const Vec3* source, int n, int count) {
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

    // The best found so far, sorted; best is the error to beat to join them.
    std::vector<std::pair<float, CellChoice>> found;
    float best = std::numeric_limits<float>::infinity();
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
          const auto at = std::upper_bound(found.begin(), found.end(), cost,
                                           [](float c, const std::pair<float, CellChoice>& f) { return c < f.first; });
          found.insert(at, {cost, CellChoice{{Sets[a], Sets[b]}}});
          if (static_cast<int>(found.size()) > count) found.pop_back();
          if (static_cast<int>(found.size()) == count) best = found.back().first;
        }
      }
    }
    std::vector<CellChoice> choices;
    for (const auto& f : found) choices.push_back(f.second);
    if (choices.empty()) choices.push_back({{Sets[order[0]], Sets[order[0]]}});
    return choices;
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
// mixed levels (0, 115, 157, 202, 230, 254) above the first. Texture in the
// source already dithers, so the offsets shrink as a 4 x 4 block varies (its
// mean absolute deviation) and vanish at busy; blocks line up with the
// picture, so a part of whole blocks gets the offsets of the whole.
void ApplyOrderedThreshold(Working& work) {
  constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  constexpr float spread = 64.0f;
  constexpr float busy = 80.0f;
  for (int by = 0; by < work.Height; by += 4)
    for (int bx = work.Left(); bx < work.Right(); bx += 4) {
      const int ey = std::min(by + 4, work.Height);
      std::array<float, 3> mean{};
      for (int y = by; y < ey; ++y)
        for (int x = bx; x < bx + 4; ++x)
          for (int c = 0; c < 3; ++c) mean[c] += work.At(x, y)[c];
      const float n = static_cast<float>(4 * (ey - by));
      float deviation = 0;
      for (int y = by; y < ey; ++y)
        for (int x = bx; x < bx + 4; ++x)
          for (int c = 0; c < 3; ++c) deviation += std::abs(work.At(x, y)[c] - mean[c] / n);
      const float scale = std::max(0.0f, 1.0f - deviation / (3 * n) / busy);
      for (int y = by; y < ey; ++y)
        for (int x = bx; x < bx + 4; ++x) {
          const float offset = ((static_cast<float>(bayer[y % 4][x % 4]) + 0.5f) / 16.0f - 0.5f) * spread * scale;
          for (float& v : work.At(x, y)) v += offset;
        }
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

// The range of each channel a cell's four mixed colours span.
struct ReachableRange {
  std::array<float, 3> Low{}, High{};
  ReachableRange() = default;
  ReachableRange(const ErrorModel& model, const CellChoice& c) {
    Low.fill(255.0f);
    High.fill(0.0f);
    for (int k = 0; k < 4; ++k) {
      const int pair = PairOf(c, k);
      const Rgb m = model.MixedRgb(pair);
      const float v[3] = {static_cast<float>(RedOf(m)), static_cast<float>(GreenOf(m)), static_cast<float>(BlueOf(m))};
      for (int i = 0; i < 3; ++i) {
        Low[i] = std::min(Low[i], v[i]);
        High[i] = std::max(High[i], v[i]);
      }
    }
  }
  // value plus error, but never pushed further out of the range than it was.
  float Add(int channel, float value, float error) const {
    if (error > 0) return std::max(value, std::min(value + error, High[channel]));
    return std::min(value, std::max(value + error, Low[channel]));
  }
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
  std::array<ReachableRange, ByteColumns> reach{};
  for (int y = 0; y < work.Height; ++y) {
    for (int col = work.First; col < work.First + work.Columns; ++col) {
      if (AttrLineOf(cellHeight, col, y) != y) continue;
      const int h = CellHeightAt(cellHeight, col);
      current[col] = SearchCell(model, search, work, col, y, h);
      reach[col] = ReachableRange(model, current[col]);
      WriteCell(planes, col, y, h, current[col]);
    }
    const int dir = (y % 2 == 0) ? 1 : -1;
    for (int i = work.Left(); i < work.Right(); ++i) {
      const int x = dir > 0 ? i : work.Left() + work.Right() - 1 - i;
      auto& w = work.At(x, y);
      const float r = Clamp255(w[0]), g = Clamp255(w[1]), b = Clamp255(w[2]);
      const Vec3 s = model.ToMetric(r, g, b);
      const CellChoice& cell = current[x / 8];
      const int k = BestOfFour(cell, [&](int pair) { return model.Error(s, pair); });
      SetBits(planes, x, y, k);
      const int pair = PairOf(cell, k);
      const Rgb shown = model.MixedRgb(pair);
      const float er = r - static_cast<float>(RedOf(shown)), eg = g - static_cast<float>(GreenOf(shown)),
                  eb = b - static_cast<float>(BlueOf(shown));
      for (const Spread& sp : kernel) {
        const int tx = x + sp.Dx * dir, ty = y + sp.Dy;
        if (tx < work.Left() || tx >= work.Right() || ty >= work.Height) continue;
        auto& t = work.At(tx, ty);
        const float e[3] = {er * sp.Share, eg * sp.Share, eb * sp.Share};
        // Into another cell whose colours are already chosen, error goes
        // only as far as those colours reach: beyond them it piles up into
        // a streak along the cell's edge.
        const int tcol = tx / 8;
        const bool known = AttrLineOf(cellHeight, tcol, ty) <= y;
        const bool otherCell = tcol != x / 8 || AttrLineOf(cellHeight, tcol, ty) != AttrLineOf(cellHeight, tcol, y);
        for (int c = 0; c < 3; ++c) t[c] = known && otherCell ? reach[tcol].Add(c, t[c], e[c]) : t[c] + e[c];
      }
    }
  }
}

// The blurred error of a part of the picture, kept up to date pixel by
// pixel. The blur is linear, so the blurred difference R = blur(shown) -
// blur(source) changes by a shown pixel's change times the kernel around it.
// Values are linear light scaled to 0..255.
class BlurredResidual {
 public:
  static constexpr int Radius = 3;
  static constexpr int Taps = 2 * Radius + 1;

  // source and shown: linear RGB of width x height pixels, row by row.
  BlurredResidual(int width, int height, const std::vector<std::array<float, 3>>& source,
                  const std::vector<std::array<float, 3>>& shown)
      : width_(width),
        height_(height),
        stride_(width + 2 * Radius),
        alongX_(Spreads(width)),
        alongY_(Spreads(height)),
        r_(static_cast<std::size_t>(3) * stride_ * (height + 2 * Radius)) {
    // Each difference spreads to its neighbours with the clamped kernel's
    // weights, first along lines, then down columns.
    std::vector<std::array<float, 3>> rows(source.size());
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (int d = -Radius; d <= Radius; ++d)
          if (const float w = alongX_[x][d + Radius]; w != 0)
            for (int c = 0; c < 3; ++c) {
              const std::size_t from = static_cast<std::size_t>(y) * width + x;
              rows[from + d][c] += w * (shown[from][c] - source[from][c]);
            }
    for (int y = 0; y < height; ++y)
      for (int d = -Radius; d <= Radius; ++d)
        if (const float w = alongY_[y][d + Radius]; w != 0)
          for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) r_[Index(x, y + d) + c] += w * rows[static_cast<std::size_t>(y) * width + x][c];
  }

  // The sum of squares over the blurred pixels from (x0, y0) to before (x1, y1).
  double SumOfSquares(int x0, int y0, int x1, int y1) const {
    double total = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) {
      const float* row = &r_[Index(std::max(x0, 0), y)];
      float line = 0;
      for (int i = 0; i < 3 * (std::min(x1, width_) - std::max(x0, 0)); ++i) line += row[i] * row[i];
      total += line;
    }
    return total;
  }
  double SumOfSquares() const { return SumOfSquares(0, 0, width_, height_); }
  float At(int channel, int x, int y) const { return r_[Index(x, y) + channel]; }

  // The change in the sum of squares if pixel (x, y) changed by delta.
  struct Slope {
    std::array<float, 3> Gradient{};  // half the first-order term
    float Curvature = 0;
  };
  Slope SlopeAt(int x, int y) const {
    Slope s;
    const float* kx = alongX_[x].data();
    const float* ky = alongY_[y].data();
    float cx = 0, cy = 0;
    for (int t = 0; t < Taps; ++t) {
      cx += kx[t] * kx[t];
      cy += ky[t] * ky[t];
    }
    s.Curvature = cx * cy;
    // The padding around the part holds zeros and meets zero weights.
    float g0 = 0, g1 = 0, g2 = 0;
    for (int dy = 0; dy < Taps; ++dy) {
      const float* row = &r_[Index(x - Radius, y - Radius + dy)];
      float l0 = 0, l1 = 0, l2 = 0;
      for (int t = 0; t < Taps; ++t) {
        l0 += kx[t] * row[3 * t];
        l1 += kx[t] * row[3 * t + 1];
        l2 += kx[t] * row[3 * t + 2];
      }
      g0 += ky[dy] * l0;
      g1 += ky[dy] * l1;
      g2 += ky[dy] * l2;
    }
    s.Gradient = {g0, g1, g2};
    return s;
  }
  static float Change(const Slope& s, const std::array<float, 3>& delta) {
    float first = 0, square = 0;
    for (int c = 0; c < 3; ++c) {
      first += delta[c] * s.Gradient[c];
      square += delta[c] * delta[c];
    }
    return 2 * first + square * s.Curvature;
  }

  // How much the kernels around two pixels overlap: the cross term of
  // changing both at once is twice this times the dot product of the changes.
  float Overlap(int x1, int y1, int x2, int y2) const {
    return OverlapAlong(alongX_, x1, x2) * OverlapAlong(alongY_, y1, y2);
  }

  void Add(int x, int y, const std::array<float, 3>& delta) {
    const float* kx = alongX_[x].data();
    const float* ky = alongY_[y].data();
    for (int dy = 0; dy < Taps; ++dy) {
      float* row = &r_[Index(x - Radius, y - Radius + dy)];
      for (int t = 0; t < Taps; ++t) {
        const float w = ky[dy] * kx[t];
        row[3 * t] += w * delta[0];
        row[3 * t + 1] += w * delta[1];
        row[3 * t + 2] += w * delta[2];
      }
    }
  }

  // A copy of the blurred pixels from (x0, y0) to before (x1, y1), and back.
  void Save(int x0, int y0, int x1, int y1, std::vector<float>& out) const {
    out.clear();
    for (int y = y0; y < y1; ++y) out.insert(out.end(), &r_[Index(x0, y)], &r_[Index(x1, y)]);
  }
  void Restore(int x0, int y0, int x1, int y1, const std::vector<float>& in) {
    auto from = in.begin();
    for (int y = y0; y < y1; ++y) {
      std::copy(from, from + 3 * (x1 - x0), &r_[Index(x0, y)]);
      from += 3 * (x1 - x0);
    }
  }

 private:
  // spreads[p][d + Radius]: the weight of source pixel p in blurred pixel p + d
  // along one axis of n pixels, with the clamped edges folded in (0 outside).
  static std::vector<std::array<float, Taps>> Spreads(int n) {
    std::array<double, Taps> kernel{};
    double sum = 0;
    for (int i = -Radius; i <= Radius; ++i) sum += kernel[i + Radius] = std::exp(-0.5 * i * i);
    std::vector<std::array<double, Taps>> weights(n);
    for (int q = 0; q < n; ++q)
      for (int i = -Radius; i <= Radius; ++i) {
        const int p = std::clamp(q + i, 0, n - 1);
        weights[p][q - p + Radius] += kernel[i + Radius] / sum;
      }
    std::vector<std::array<float, Taps>> spreads(n);
    for (int p = 0; p < n; ++p)
      for (int t = 0; t < Taps; ++t) spreads[p][t] = static_cast<float>(weights[p][t]);
    return spreads;
  }
  static float OverlapAlong(const std::vector<std::array<float, Taps>>& spreads, int a, int b) {
    // Blurred pixel a - Radius + t is b - Radius + t + a - b.
    float total = 0;
    for (int t = 0; t < Taps; ++t)
      if (const int u = t + a - b; u >= 0 && u < Taps) total += spreads[a][t] * spreads[b][u];
    return total;
  }
  // Three floats per pixel, with Radius pixels of padding on every side.
  std::size_t Index(int x, int y) const {
    return 3 * (static_cast<std::size_t>(y + Radius) * stride_ + static_cast<std::size_t>(x + Radius));
  }

  int width_, height_, stride_;
  std::vector<std::array<float, Taps>> alongX_, alongY_;
  std::vector<float> r_;
};

float LinearOf(int c) { return static_cast<float>(255.0 * SrgbToLinear(c)); }

float SrgbOfLinear(float v) {
  const double c = std::clamp(v / 255.0, 0.0, 1.0);
  return static_cast<float>(255.0 * (c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055));
}

std::array<float, 3> LinearRgb(Rgb c) { return {LinearOf(RedOf(c)), LinearOf(GreenOf(c)), LinearOf(BlueOf(c))}; }

// The screen pair shown at (x, y) of the converted planes.
int ShownPair(const Planes& planes, int cellHeight, int x, int y) {
  return ScreenColourAt(planes, cellHeight, 0, x, y) * Colours + ScreenColourAt(planes, cellHeight, 1, x, y);
}

std::vector<std::array<float, 3>> LinearSource(const Raster& source) {
  std::vector<std::array<float, 3>> linear(source.Pixels().size());
  for (std::size_t i = 0; i < linear.size(); ++i) linear[i] = LinearRgb(source.Pixels()[i]);
  return linear;
}

std::vector<std::array<float, 3>> LinearShown(const ErrorModel& model, const Planes& planes, int cellHeight,
                                              const Working& area) {
  std::vector<std::array<float, 3>> linear;
  for (int y = 0; y < area.Height; ++y)
    for (int x = area.Left(); x < area.Right(); ++x) {
      const int pair = ShownPair(planes, cellHeight, x, y);
      linear.push_back(LinearRgb(model.MixedRgb(pair)));
    }
  return linear;
}

double MeanBlurredError(const ErrorModel& model, const std::vector<std::array<float, 3>>& linearSource,
                        const Planes& planes, int cellHeight, const Working& area) {
  const int w = area.Right() - area.Left();
  const BlurredResidual residual(w, area.Height, linearSource, LinearShown(model, planes, cellHeight, area));
  return residual.SumOfSquares() / (static_cast<double>(w) * area.Height);
}

// The search: the blurred error plus the weighted flicker of every pixel,
// lowered one cell at a time. Each cell first tries each pixel's best entry
// and each neighbouring pair's best two, then candidate attributes (the exact
// search's best few for the source, for the blurred source and for the colours
// the pixels want), each with the pixels chosen again; a change stays only if
// the sum over the blurred neighbourhood drops. Passes repeat while anything
// changes, up to MaxPasses.
class BlurredSearch {
 public:
  static constexpr int Candidates = 4;
  static constexpr int MaxPasses = 4;
  static constexpr int WantedCount = 4;

  static constexpr int SettleSweeps = 2;
  static constexpr double PairPromise = 1.5;
  static constexpr double DirtyGain = 0.05;

  BlurredSearch(const ErrorModel& model, const Raster& source, const Working& area, int cellHeight, const Planes& start)
      : model_(model),
        linearModel_(model.Mixing(), ColourMetric::Srgb, model.FlickerWeightOf(), true),
        area_(area),
        width_(area.Right() - area.Left()),
        residual_(width_, area.Height, LinearSource(source), LinearShown(model, start, cellHeight, area)),
        cellAt_(static_cast<std::size_t>(area.Columns) * area.Height) {
    for (int pair = 0; pair < Colours * Colours; ++pair) linear_[pair] = LinearRgb(model.MixedRgb(pair));
    CellSearch search;
    const std::vector<std::array<float, 3>> blank(static_cast<std::size_t>(width_) * area.Height);
    const BlurredResidual blurredSource(width_, area.Height, LinearSource(source), blank);
    for (int col = area.First; col < area.First + area.Columns; ++col) {
      const int h = CellHeightAt(cellHeight, col);
      for (int y0 = 0; y0 < area.Height; y0 += h) {
        CellState cell;
        cell.Col = col;
        cell.Top = y0;
        cell.Height = h;
        for (int s = 0; s < 2; ++s) {
          const AttrEntry& e = start.Attrs[s].At(col, y0);
          cell.Choice.Screen[s] = {e.Paper, e.Ink};
        }
        for (int dy = 0; dy < h; ++dy)
          for (int dx = 0; dx < 8; ++dx) {
            const int x = col * 8 + dx, y = y0 + dy;
            cell.Entry[dy * 8 + dx] =
                static_cast<std::uint8_t>(2 * start.Pixels[0].Bit(x, y) + start.Pixels[1].Bit(x, y));
          }
        cell.Candidates = FindCandidates(search, source, blurredSource, cell);
        for (int dy = 0; dy < h; ++dy)
          cellAt_[static_cast<std::size_t>(col - area.First) * area.Height + y0 + dy] = cells_.size();
        cells_.push_back(cell);
      }
    }
  }

  void Run() {
    std::vector<bool> dirty(cells_.size(), true);
    for (int pass = 0; pass < MaxPasses; ++pass) {
      std::vector<bool> next(cells_.size(), false);
      bool changed = false;
      for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (!dirty[i]) continue;
        const double gain = Improve(cells_[i]);
        // Gains this small are not worth another visit to the neighbours.
        if (gain <= DirtyGain * 8 * cells_[i].Height) continue;
        changed = true;
        // The change reaches the blur radius into the neighbouring cells.
        const CellState& cell = cells_[i];
        constexpr int r = BlurredResidual::Radius;
        for (int col = std::max(cell.Col - 1, area_.First);
             col <= std::min(cell.Col + 1, area_.First + area_.Columns - 1); ++col)
          for (int y = std::max(cell.Top - r, 0); y < std::min(cell.Top + cell.Height + r, area_.Height); ++y)
            next[cellAt_[static_cast<std::size_t>(col - area_.First) * area_.Height + y]] = true;
      }
      if (!changed) break;
      dirty = std::move(next);
    }
  }

  void Write(Planes& planes) const {
    for (const CellState& cell : cells_) {
      WriteCell(planes, cell.Col, cell.Top, cell.Height, cell.Choice);
      for (int p = 0; p < 8 * cell.Height; ++p) SetBits(planes, cell.Col * 8 + p % 8, cell.Top + p / 8, cell.Entry[p]);
    }
  }

 private:
  struct CellState {
    int Col = 0, Top = 0, Height = 0;
    CellChoice Choice;
    std::array<std::uint8_t, MaxCellPixels> Entry{};
    std::vector<CellChoice> Candidates;
  };

  static bool Same(const CellChoice& a, const CellChoice& b) {
    for (int s = 0; s < 2; ++s)
      if (a.Screen[s].First != b.Screen[s].First || a.Screen[s].Second != b.Screen[s].Second) return false;
    return true;
  }

  // The exact search's best few for the cell's source pixels and for the
  // source as the eye sees it (blurred): a fine pattern may want colours
  // that fit neither pixel alone.
  std::vector<CellChoice> FindCandidates(CellSearch& search, const Raster& source, const BlurredResidual& blurred,
                                         const CellState& cell) const {
    std::vector<CellChoice> found;
    for (const bool seen : {false, true}) {
      std::array<Vec3, MaxCellPixels> pixels{};
      for (int p = 0; p < 8 * cell.Height; ++p) {
        const int x = XOf(cell, p), y = YOf(cell, p);
        const Rgb c = source.At(x, y);
        std::array<float, 3> v = {static_cast<float>(RedOf(c)), static_cast<float>(GreenOf(c)),
                                  static_cast<float>(BlueOf(c))};
        // The residual of a blank picture is minus the blurred source.
        if (seen)
          for (int k = 0; k < 3; ++k) v[k] = SrgbOfLinear(-blurred.At(k, x, y));
        pixels[p] = model_.ToMetric(v[0], v[1], v[2]);
      }
      for (const CellChoice& c : search.FindBest(model_, pixels.data(), 8 * cell.Height, Candidates))
        if (!Same(c, cell.Choice) &&
            std::none_of(found.begin(), found.end(), [&](const CellChoice& f) { return Same(f, c); }))
          found.push_back(c);
    }
    return found;
  }

  // Local x and y of a cell's pixel p.
  int XOf(const CellState& cell, int p) const { return cell.Col * 8 - area_.Left() + p % 8; }
  static int YOf(const CellState& cell, int p) { return cell.Top + p / 8; }

  // Moves each pixel of the cell to its best entry, in turn; the summed change.
  float SettlePixels(CellState& cell) {
    float total = 0;
    for (int p = 0; p < 8 * cell.Height; ++p) {
      const int x = XOf(cell, p), y = YOf(cell, p);
      const int now = PairOf(cell.Choice, cell.Entry[p]);
      const BlurredResidual::Slope slope = residual_.SlopeAt(x, y);
      int best = cell.Entry[p];
      float bestChange = -MinGain;
      std::array<float, 3> bestDelta{};
      for (int k = 0; k < 4; ++k) {
        const int pair = PairOf(cell.Choice, k);
        if (pair == now) continue;
        std::array<float, 3> delta;
        for (int c = 0; c < 3; ++c) delta[c] = linear_[pair][c] - linear_[now][c];
        const float change =
            BlurredResidual::Change(slope, delta) + model_.WeightedFlicker(pair) - model_.WeightedFlicker(now);
        if (change < bestChange) {
          bestChange = change;
          best = k;
          bestDelta = delta;
        }
      }
      if (best == cell.Entry[p]) continue;
      residual_.Add(x, y, bestDelta);
      cell.Entry[p] = static_cast<std::uint8_t>(best);
      total += bestChange;
    }
    return total;
  }

  // Moves pairs of neighbouring pixels (across and down) to their best
  // entries together, which single moves cannot reach when each alone would
  // make things worse; the summed change.
  float SettlePairs(CellState& cell) {
    float total = 0;
    const int n = 8 * cell.Height;
    for (int p = 0; p < n; ++p)
      for (const int q : {p % 8 < 7 ? p + 1 : -1, p + 8 < n ? p + 8 : -1}) {
        if (q < 0) continue;
        const int xp = XOf(cell, p), yp = YOf(cell, p), xq = XOf(cell, q), yq = YOf(cell, q);
        const BlurredResidual::Slope sp = residual_.SlopeAt(xp, yp), sq = residual_.SlopeAt(xq, yq);
        const float overlap = residual_.Overlap(xp, yp, xq, yq);
        const int nowP = PairOf(cell.Choice, cell.Entry[p]), nowQ = PairOf(cell.Choice, cell.Entry[q]);
        float bestChange = -MinGain;
        int bestP = -1, bestQ = -1;
        std::array<float, 3> bestDp{}, bestDq{};
        for (int kp = 0; kp < 4; ++kp)
          for (int kq = 0; kq < 4; ++kq) {
            const int pairP = PairOf(cell.Choice, kp), pairQ = PairOf(cell.Choice, kq);
            if (pairP == nowP || pairQ == nowQ) continue;  // single moves cover these
            std::array<float, 3> dp, dq;
            float cross = 0;
            for (int c = 0; c < 3; ++c) {
              dp[c] = linear_[pairP][c] - linear_[nowP][c];
              dq[c] = linear_[pairQ][c] - linear_[nowQ][c];
              cross += dp[c] * dq[c];
            }
            const float change = BlurredResidual::Change(sp, dp) + BlurredResidual::Change(sq, dq) +
                                 2 * overlap * cross + model_.WeightedFlicker(pairP) - model_.WeightedFlicker(nowP) +
                                 model_.WeightedFlicker(pairQ) - model_.WeightedFlicker(nowQ);
            if (change < bestChange) {
              bestChange = change;
              bestP = kp;
              bestQ = kq;
              bestDp = dp;
              bestDq = dq;
            }
          }
        if (bestP < 0) continue;
        residual_.Add(xp, yp, bestDp);
        residual_.Add(xq, yq, bestDq);
        cell.Entry[p] = static_cast<std::uint8_t>(bestP);
        cell.Entry[q] = static_cast<std::uint8_t>(bestQ);
        total += bestChange;
      }
    return total;
  }

  double CellFlicker(const CellState& cell) const {
    double total = 0;
    for (int p = 0; p < 8 * cell.Height; ++p) total += model_.WeightedFlicker(PairOf(cell.Choice, cell.Entry[p]));
    return total;
  }

  // The colour each pixel of the cell would want, alone with the rest as it is.
  std::array<Vec3, MaxCellPixels> Wanted(const CellState& cell) const {
    std::array<Vec3, MaxCellPixels> wanted{};
    for (int p = 0; p < 8 * cell.Height; ++p) {
      const BlurredResidual::Slope slope = residual_.SlopeAt(XOf(cell, p), YOf(cell, p));
      const auto& shown = linear_[PairOf(cell.Choice, cell.Entry[p])];
      // Only colours inside the shown range count: the rest weaken the bounds.
      const auto want = [&](int c) { return std::clamp(shown[c] - slope.Gradient[c] / slope.Curvature, 0.0f, 255.0f); };
      wanted[p] = {want(0), want(1), want(2)};
    }
    return wanted;
  }

  // The drop in the blurred error (and weighted flicker) around the cell:
  // each pixel at its best, then the exact search's best few attributes for
  // the wanted colours and the cell's fixed candidates, each tried in full.
  double Improve(CellState& cell) {
    double gain = -SettlePixels(cell);
    gain -= SettlePairs(cell);
    const int n = 8 * cell.Height;
    const std::array<Vec3, MaxCellPixels> wanted = Wanted(cell);
    for (const CellChoice& c : search_.FindBest(linearModel_, wanted.data(), n, WantedCount))
      if (!Same(c, cell.Choice) &&
          std::none_of(cell.Candidates.begin(), cell.Candidates.end(), [&](const CellChoice& k) { return Same(k, c); }))
        gain += TryChoice(cell, c);
    for (CellChoice& c : cell.Candidates) {
      const CellChoice old = cell.Choice;
      // The old attributes stay a candidate in place of the new ones.
      if (const double g = TryChoice(cell, c); g > 0) {
        c = old;
        gain += g;
      }
    }
    return gain;
  }

  // Gives the cell these attributes, each pixel at the entry nearest what it
  // shows now, then settled against the blurred neighbourhood; keeps them only
  // if the blurred error around the cell drops.
  double TryChoice(CellState& cell, const CellChoice& choice) {
    constexpr int r = BlurredResidual::Radius;
    const int x0 = std::max(XOf(cell, 0) - r, 0), x1 = std::min(XOf(cell, 0) + 8 + r, width_);
    const int y0 = std::max(cell.Top - r, 0), y1 = std::min(cell.Top + cell.Height + r, area_.Height);
    const double before = residual_.SumOfSquares(x0, y0, x1, y1) + CellFlicker(cell);
    residual_.Save(x0, y0, x1, y1, saved_);
    const CellChoice keptChoice = cell.Choice;
    const std::array<std::uint8_t, MaxCellPixels> keptEntry = cell.Entry;
    cell.Choice = choice;
    for (int p = 0; p < 8 * cell.Height; ++p) {
      const int now = PairOf(keptChoice, keptEntry[p]);
      int best = 0;
      float bestDistance = std::numeric_limits<float>::infinity();
      for (int k = 0; k < 4; ++k) {
        const int pair = PairOf(cell.Choice, k);
        float d = 0;
        for (int c = 0; c < 3; ++c) d += (linear_[pair][c] - linear_[now][c]) * (linear_[pair][c] - linear_[now][c]);
        if (d < bestDistance) {
          bestDistance = d;
          best = k;
        }
      }
      cell.Entry[p] = static_cast<std::uint8_t>(best);
      const int pair = PairOf(cell.Choice, best);
      std::array<float, 3> delta;
      for (int c = 0; c < 3; ++c) delta[c] = linear_[pair][c] - linear_[now][c];
      residual_.Add(XOf(cell, p), YOf(cell, p), delta);
    }
    for (int sweep = 0; sweep < SettleSweeps && SettlePixels(cell) < 0; ++sweep) {
    }
    // Pair moves cost more: only for attributes that come near to paying off.
    if (residual_.SumOfSquares(x0, y0, x1, y1) + CellFlicker(cell) < PairPromise * before) SettlePairs(cell);
    const double after = residual_.SumOfSquares(x0, y0, x1, y1) + CellFlicker(cell);
    if (after < before - MinGain) return before - after;
    residual_.Restore(x0, y0, x1, y1, saved_);
    cell.Choice = keptChoice;
    cell.Entry = keptEntry;
    return 0;
  }

  // Smaller gains are float noise; ignoring them lets the passes end.
  static constexpr float MinGain = 0.01f;

  const ErrorModel& model_;
  const ErrorModel linearModel_;
  const Working& area_;
  CellSearch search_;
  int width_;
  BlurredResidual residual_;
  std::array<std::array<float, 3>, Colours * Colours> linear_{};
  std::vector<std::size_t> cellAt_;  // by column, then line of the part
  std::vector<CellState> cells_;
  std::vector<float> saved_;
};

ImageConversionStats MeasureStats(const ErrorModel& model, const Raster& source, const Working& area,
                                  const Planes& planes, int cellHeight) {
  const double blurred = MeanBlurredError(model, LinearSource(source), planes, cellHeight, area);
  double error = 0, flicker = 0;
  for (int y = 0; y < area.Height; ++y)
    for (int x = area.Left(); x < area.Right(); ++x) {
      const int pair = ShownPair(planes, cellHeight, x, y);
      const Rgb src = source.At(x - area.Left(), y);
      error += model.Distance(model.ToMetric(static_cast<float>(RedOf(src)), static_cast<float>(GreenOf(src)),
                                             static_cast<float>(BlueOf(src))),
                              pair);
      flicker += model.Flicker(pair);
    }
  const double pixels = static_cast<double>(area.Right() - area.Left()) * area.Height;
  return {error / pixels, flicker / pixels, blurred};
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
    case Dithering::Search:
      break;
    default:
      throw std::invalid_argument("unknown dithering");
  }
  if (options.Metric != ColourMetric::Srgb && options.Metric != ColourMetric::Lab)
    throw std::invalid_argument("unknown colour metric");
  if (!IsSymmetric(options.Mixing.Table))
    throw std::invalid_argument("the import needs a mixing profile in which a mixes with b as b with a");
}

// The search from the other dithers' best as the eye sees it.
ImageConversion ConvertBySearch(const Raster& source, const Working& work, const ImageConversionOptions& options) {
  const ErrorModel model(options.Mixing.Table, options.Metric, options.FlickerWeight);
  ImageConversion best;
  double bestScore = std::numeric_limits<double>::infinity();
  for (Dithering start : {Dithering::None, Dithering::Ordered, Dithering::FloydSteinberg, Dithering::Atkinson}) {
    ImageConversionOptions startOptions = options;
    startOptions.Dither = start;
    ImageConversion tried = ConvertImagePart(source, work.First, startOptions);
    // The same sum the search lowers: the blurred error and the weighted flicker.
    const double score = tried.Stats.MeanBlurredError + options.FlickerWeight * tried.Stats.MeanFlicker;
    if (score < bestScore) {
      bestScore = score;
      best = std::move(tried);
    }
  }
  BlurredSearch search(model, source, work, options.CellHeight, best.Result);
  search.Run();
  search.Write(best.Result);
  best.Stats = MeasureStats(model, source, work, best.Result, options.CellHeight);
  return best;
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
  const ErrorModel model(options.Mixing.Table, options.Metric, options.FlickerWeight);
  Working work{firstColumn, w / 8, h, std::vector<std::array<float, 3>>(static_cast<std::size_t>(w) * h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Rgb c = source.At(x, y);
      work.At(work.Left() + x, y) = {static_cast<float>(RedOf(c)), static_cast<float>(GreenOf(c)),
                                     static_cast<float>(BlueOf(c))};
    }
  if (options.Dither == Dithering::Search) return ConvertBySearch(source, work, options);
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
    case Dithering::Search:
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
