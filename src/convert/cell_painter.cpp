#include "convert/cell_painter.h"

// A screen's attributes give its pixels two colours of one brightness (a
// pair holding one colour twice is never better than a pair holding it
// with another, as the bits choose); a cell's pixels then show one of the
// four mixes of the two screens' pairs. Pairs of pairs that cannot show the
// chosen colour are passed over at once, so a cell costs a few hundred
// candidates, not all 3,136.
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "convert/colour_pairs.h"
#include "convert/colour_space.h"

namespace chromaloom {

namespace {

constexpr int Colours = ZxColourCount;

using ScreenPair = ColourPair;  // First: PAPER, Second: INK
constexpr int PairCount = ColourPairCount;
constexpr const std::array<ScreenPair, PairCount>& Pairs = ColourPairs;

// Entry k of a cell: screen 0's ink when bit 1 of k is set, screen 1's when bit 0 is.
constexpr ZxColour Of(const ScreenPair& p, bool ink) { return ink ? p.Second : p.First; }
constexpr int MixIndex(const ScreenPair& p0, const ScreenPair& p1, int k) {
  return Of(p0, (k & 2) != 0) * Colours + Of(p1, (k & 1) != 0);
}

// A solution's cost: how far the stroke is from the chosen colour first
// (zero when exact), then the error of the cell's other pixels.
using Cost = std::pair<double, double>;

}  // namespace

CellPainter::CellPainter(const MixedColourTableType& table, ColourMetric metric, double flickerWeight)
    : table_(table), metric_(metric) {
  for (int a = 0; a < Colours; ++a) {
    plain_[a] = Metric(ZxRgb(static_cast<ZxColour>(a)));
    for (int b = 0; b < Colours; ++b) mixed_[a * Colours + b] = Metric(table[a][b]);
  }
  for (int a = 0; a < Colours; ++a)
    for (int b = 0; b < Colours; ++b) {
      const Rgb ca = ZxRgb(static_cast<ZxColour>(a)), cb = ZxRgb(static_cast<ZxColour>(b));
      const double d =
          metric == ColourMetric::Lab ? static_cast<double>(plain_[a].X) - plain_[b].X : Luma601(ca) - Luma601(cb);
      flicker_[a * Colours + b] = static_cast<float>(flickerWeight * d * d);
    }
}

CellPainter::Colour CellPainter::Metric(Rgb c) const {
  if (metric_ == ColourMetric::Lab) {
    const auto lab = RgbToLab(RedOf(c), GreenOf(c), BlueOf(c));
    return {lab[0], lab[1], lab[2]};
  }
  return {static_cast<float>(RedOf(c)), static_cast<float>(GreenOf(c)), static_cast<float>(BlueOf(c))};
}

float CellPainter::Distance(const Colour& a, const Colour& b) const {
  const float dx = a.X - b.X, dy = a.Y - b.Y, dz = a.Z - b.Z;
  return dx * dx + dy * dy + dz * dz;
}

CellColours CellPainter::Solve(const CellPaint& cell) const {
  const int n = 8 * std::clamp(cell.Lines, 1, 8);
  const Colour chosen = Metric(cell.Chosen);
  std::array<Colour, 64> target{};
  for (int p = 0; p < n; ++p) target[p] = Metric(cell.Shown[p]);
  bool exactMix[Colours * Colours] = {};
  bool anyExact = false;
  for (int m = 0; m < Colours * Colours; ++m) anyExact |= exactMix[m] = table_[m / Colours][m % Colours] == cell.Chosen;

  // The best of the four entries for each pixel, and its cost.
  const auto costOf = [&](const ScreenPair& p0, const ScreenPair& p1, const Cost& bound, std::array<int, 64>* entries) {
    Cost cost{0, 0};
    for (int p = 0; p < n; ++p) {
      const bool stroke = (cell.Stroke >> p) & 1;
      Cost best{std::numeric_limits<double>::infinity(), 0};
      int bestK = 0;
      for (int k = 0; k < 4; ++k) {
        const int m = MixIndex(p0, p1, k);
        const Cost c = !stroke       ? Cost{0, Distance(target[p], mixed_[m]) + flicker_[m]}
                       : exactMix[m] ? Cost{0, flicker_[m]}
                       : anyExact    ? Cost{std::numeric_limits<double>::infinity(), 0}
                                     : Cost{Distance(chosen, mixed_[m]), flicker_[m]};
        if (c < best) best = c, bestK = k;
      }
      cost.first += best.first;
      cost.second += best.second;
      if (entries) (*entries)[p] = bestK;
      if (!entries && !(cost < bound)) return cost;  // cannot win any more
    }
    return cost;
  };

  Cost best{std::numeric_limits<double>::infinity(), 0};
  int best0 = 0, best1 = 0;
  for (int i = 0; i < PairCount; ++i)
    for (int j = 0; j < PairCount; ++j) {
      if (anyExact) {
        bool shows = false;
        for (int k = 0; k < 4 && !shows; ++k) shows = exactMix[MixIndex(Pairs[i], Pairs[j], k)];
        if (!shows) continue;
      }
      const Cost c = costOf(Pairs[i], Pairs[j], best, nullptr);
      if (c < best) best = c, best0 = i, best1 = j;
    }

  std::array<int, 64> entries{};
  costOf(Pairs[best0], Pairs[best1], best, &entries);
  CellColours result;
  result.Attrs = {AttrEntry{Pairs[best0].First, Pairs[best0].Second},
                  AttrEntry{Pairs[best1].First, Pairs[best1].Second}};
  result.Exact = anyExact;
  for (int p = 0; p < n; ++p) {
    const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (p % 8));
    if (entries[p] & 2) result.Rows[0][p / 8] |= bit;
    if (entries[p] & 1) result.Rows[1][p / 8] |= bit;
  }
  return result;
}

CellColours CellPainter::SolveScreen(const CellPaint& cell, int screen, const AttrEntry& otherAttr) const {
  const int n = 8 * std::clamp(cell.Lines, 1, 8);
  const Colour chosen = Metric(cell.Chosen);
  bool anyExact = false;
  for (int c = 0; c < Colours; ++c) anyExact |= ZxRgb(static_cast<ZxColour>(c)) == cell.Chosen;
  const auto costOf = [&](const ScreenPair& pair, std::uint8_t* rows) {
    Cost cost{0, 0};
    for (int p = 0; p < n; ++p) {
      const bool stroke = (cell.Stroke >> p) & 1;
      Cost best{std::numeric_limits<double>::infinity(), 0};
      bool ink = false;
      for (const bool k : {false, true}) {
        const ZxColour c = Of(pair, k);
        const bool exact = ZxRgb(c) == cell.Chosen;
        const Cost e = !stroke    ? Cost{0, Distance(Metric(cell.Shown[p]), plain_[c])}
                       : exact    ? Cost{0, 0}
                       : anyExact ? Cost{std::numeric_limits<double>::infinity(), 0}
                                  : Cost{Distance(chosen, plain_[c]), 0};
        if (e < best) best = e, ink = k;
      }
      cost.first += best.first;
      cost.second += best.second;
      if (rows && ink) rows[p / 8] |= static_cast<std::uint8_t>(0x80 >> (p % 8));
    }
    return cost;
  };
  Cost best{std::numeric_limits<double>::infinity(), 0};
  int bestPair = 0;
  for (int i = 0; i < PairCount; ++i) {
    const Cost c = costOf(Pairs[i], nullptr);
    if (c < best) best = c, bestPair = i;
  }
  CellColours result;
  result.Attrs[static_cast<std::size_t>(1 - screen)] = otherAttr;
  result.Attrs[static_cast<std::size_t>(screen)] = {Pairs[bestPair].First, Pairs[bestPair].Second};
  costOf(Pairs[bestPair], result.Rows[static_cast<std::size_t>(screen)].data());
  result.Exact = anyExact;
  return result;
}

}  // namespace chromaloom
