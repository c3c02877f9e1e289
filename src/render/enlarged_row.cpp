#include "render/enlarged_row.h"

#include <algorithm>
#include <utility>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define CHROMALOOM_AVX2_ROWS 1
#endif

namespace chromaloom {

namespace {
constexpr int CellPixels = 8;

void PaintDotsByPixels(Rgb even, Rgb odd, int x0, int x1, Rgb* out) {
  for (int x = x0; x < x1; ++x) out[x - x0] = (x & 1) ? odd : even;
}
}  // namespace

void PaintEnlargedRowByRuns(const EnlargedRow& row, int x0, int x1, Rgb* out) {
  for (int x = x0, p = x0 / row.Z; x < x1; ++p) {
    const int runEnd = std::min(x1, (p + 1) * row.Z);
    Rgb* at = out + (x - x0);
    if (x == p * row.Z) {
      if (row.CellDot && p % CellPixels == 0)
        *at++ = *row.CellDot;
      else if (row.PixelDot)
        *at++ = *row.PixelDot;
    }
    std::fill(at, out + (runEnd - x0), row.Source[p]);
    x = runEnd;
  }
}

#if defined(CHROMALOOM_AVX2_ROWS)
namespace {

bool HasAvx2() {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return avx2;
}

// The vector blend mask of the lanes for which lane(i) holds.
template <class Lane>
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i LaneMask(Lane lane) {
  return _mm256_setr_epi32(lane(0) ? -1 : 0, lane(1) ? -1 : 0, lane(2) ? -1 : 0, lane(3) ? -1 : 0, lane(4) ? -1 : 0,
                           lane(5) ? -1 : 0, lane(6) ? -1 : 0, lane(7) ? -1 : 0);
}

struct CellVectors {
  __m256i Pixels[CellPixels];  // each pixel of the cell in every lane
  __m256i PixelDot, PixelDotOn, CellDot, CellDotOn;
};

// A cell is 8z columns, whole vectors of 8 at every zoom the grids show
// (z a multiple of 4). Vector J of a cell shows one pixel, or two split
// where the second starts; dots sit where pixels start. All of that is
// known when it is compiled, so each vector is a blend or two and a store.
template <int Z, int J>
[[gnu::target("avx2"), gnu::always_inline]] inline void StoreCellVector(const CellVectors& cell, Rgb* out, int at) {
  constexpr int from = 8 * J, pixel = from / Z, into = from % Z;
  __m256i v = cell.Pixels[pixel];
  if constexpr (into + 8 > Z) v = _mm256_blend_epi32(v, cell.Pixels[pixel + 1], (0xFF << (Z - into)) & 0xFF);
  constexpr auto StartsPixel = [](int lane) { return (from + lane) % Z == 0; };
  constexpr bool anyStarts = into == 0 || Z - into < 8;
  if constexpr (anyStarts)
    v = _mm256_blendv_epi8(v, cell.PixelDot, _mm256_and_si256(LaneMask(StartsPixel), cell.PixelDotOn));
  if constexpr (J == 0)
    v = _mm256_blendv_epi8(v, cell.CellDot,
                           _mm256_and_si256(LaneMask([](int lane) { return lane == 0; }), cell.CellDotOn));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + (at + from)), v);
}

template <int Z, int... J>
[[gnu::target("avx2"), gnu::always_inline]] inline void StoreCell(const CellVectors& cell, Rgb* out, int at,
                                                                  std::integer_sequence<int, J...>) {
  (StoreCellVector<Z, J>(cell, out, at), ...);
}

[[gnu::target("avx2"), gnu::always_inline]] inline CellVectors DotVectors(const EnlargedRow& row) {
  CellVectors cell;
  cell.PixelDot = _mm256_set1_epi32(static_cast<int>(row.PixelDot.value_or(0)));
  cell.PixelDotOn = _mm256_set1_epi32(row.PixelDot ? -1 : 0);
  cell.CellDot = _mm256_set1_epi32(static_cast<int>(row.CellDot.value_or(0)));
  cell.CellDotOn = _mm256_set1_epi32(row.CellDot ? -1 : 0);
  return cell;
}

// Only vectors [from, to) of them.
template <int Z, int... J>
[[gnu::target("avx2"), gnu::always_inline]] inline void StoreCellPart(const CellVectors& cell, Rgb* out, int at,
                                                                      int from, int to,
                                                                      std::integer_sequence<int, J...>) {
  ((J >= from && J < to ? StoreCellVector<Z, J>(cell, out, at) : void()), ...);
}

// Vectors [from, to) of cell c, where either end of a row cuts it; out + at
// is the cell's first column. It goes a pixel at a time, or two where a
// pixel is not whole vectors, with the same vectors as a whole cell.
template <int Z>
[[gnu::target("avx2"), gnu::noinline]] void PaintCellPart(const EnlargedRow& row, int c, Rgb* out, int at, int from,
                                                          int to) {
  constexpr int unitPixels = Z % 8 == 0 ? 1 : 2, unitVectors = unitPixels * Z / 8;
  CellVectors unit = DotVectors(row);
  const __m256i cellDotOn = unit.CellDotOn;
  const Rgb* source = row.Source + c * CellPixels;
  for (int u = from / unitVectors; u * unitVectors < to; ++u) {
    unit.Pixels[0] = _mm256_set1_epi32(static_cast<int>(source[u * unitPixels]));
    if constexpr (unitPixels == 2) unit.Pixels[1] = _mm256_set1_epi32(static_cast<int>(source[u * unitPixels + 1]));
    unit.CellDotOn = u == 0 ? cellDotOn : _mm256_setzero_si256();
    const int first = u * unitVectors;
    StoreCellPart<Z>(unit, out, at + 8 * first, from - first, to - first,
                     std::make_integer_sequence<int, unitVectors>{});
  }
}

// Columns [x0, x1) into out, whose out[0] is x0; both are multiples of 8.
template <int Z>
[[gnu::target("avx2")]] void PaintVectors(const EnlargedRow& row, int x0, int x1, Rgb* out) {
  constexpr int cellWidth = CellPixels * Z;
  CellVectors cell = DotVectors(row);
  for (int c = x0 / cellWidth, x = c * cellWidth; x < x1; ++c, x += cellWidth) {
    if (x < x0 || x + cellWidth > x1) {  // x - x0 may be negative: only the vectors from x0 on are stored
      PaintCellPart<Z>(row, c, out, x - x0, (std::max(x, x0) - x) / 8, (std::min(x + cellWidth, x1) - x) / 8);
      continue;
    }
    const Rgb* source = row.Source + c * CellPixels;
    for (int k = 0; k < CellPixels; ++k) cell.Pixels[k] = _mm256_set1_epi32(static_cast<int>(source[k]));
    StoreCell<Z>(cell, out, x - x0, std::make_integer_sequence<int, Z>{});
  }
}

using VectorPainter = void (*)(const EnlargedRow&, int, int, Rgb*);

VectorPainter VectorPainterFor(int z) {
  if (!HasAvx2()) return nullptr;
  switch (z) {
    case 4:
      return PaintVectors<4>;
    case 8:
      return PaintVectors<8>;
    case 12:
      return PaintVectors<12>;
    case 16:
      return PaintVectors<16>;
    case 24:
      return PaintVectors<24>;
    case 32:
      return PaintVectors<32>;
    default:
      return nullptr;
  }
}

[[gnu::target("avx2")]] void PaintDotsAvx2(Rgb even, Rgb odd, int x0, int x1, Rgb* out) {
  const auto e = static_cast<int>(even), o = static_cast<int>(odd);
  const __m256i dots = _mm256_setr_epi32(e, o, e, o, e, o, e, o);
  for (int x = x0; x < x1; x += 8) _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + (x - x0)), dots);
}

}  // namespace
#endif

#if defined(CHROMALOOM_AVX2_ROWS)
namespace {
// The whole vectors of [x0, x1) by vectors (when it can), the columns
// either side of them by pixels.
template <class ByPixels, class ByVectors>
void SplitAtVectors(int x0, int x1, Rgb* out, ByPixels byPixels, ByVectors byVectors) {
  const int a = (x0 + 7) / 8 * 8, b = x1 / 8 * 8;
  if (a >= b || !byVectors(a, b, out + (a - x0))) {
    byPixels(x0, x1, out);
    return;
  }
  byPixels(x0, a, out);
  byPixels(b, x1, out + (b - x0));
}
}  // namespace
#endif

void PaintEnlargedRow(const EnlargedRow& row, int x0, int x1, Rgb* out) {
  const auto byRuns = [&row](int from, int to, Rgb* at) { PaintEnlargedRowByRuns(row, from, to, at); };
#if defined(CHROMALOOM_AVX2_ROWS)
  SplitAtVectors(x0, x1, out, byRuns, [&row](int from, int to, Rgb* at) {
    const VectorPainter paint = VectorPainterFor(row.Z);
    if (paint) paint(row, from, to, at);
    return paint != nullptr;
  });
#else
  byRuns(x0, x1, out);
#endif
}

void PaintDottedRow(Rgb even, Rgb odd, int x0, int x1, Rgb* out) {
  const auto byPixels = [=](int from, int to, Rgb* at) { PaintDotsByPixels(even, odd, from, to, at); };
#if defined(CHROMALOOM_AVX2_ROWS)
  SplitAtVectors(x0, x1, out, byPixels, [=](int from, int to, Rgb* at) {
    if (HasAvx2()) PaintDotsAvx2(even, odd, from, to, at);
    return HasAvx2();
  });
#else
  byPixels(x0, x1, out);
#endif
}

}  // namespace chromaloom
