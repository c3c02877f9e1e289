#include "render/enlarged_row.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

namespace chromaloom {
namespace {

// The fast rows equal the run-by-run ones, and both the plain definition,
// for every scale, either dot or both, and rows starting and ending
// anywhere.
TEST(EnlargedRow, TheFastRowsEqualTheDefinition) {
  std::mt19937 rng(5);
  std::vector<Rgb> source(256);
  for (Rgb& p : source) p = static_cast<Rgb>(rng());
  const std::optional<Rgb> noDot;
  for (const int z : {1, 2, 4, 8, 12, 16, 24, 32})
    for (const int dots : {0, 1, 2, 3}) {
      const EnlargedRow row{source.data(), z, dots & 1 ? std::optional<Rgb>(1) : noDot,
                            dots & 2 ? std::optional<Rgb>(2) : noDot};
      std::uniform_int_distribution<int> at(0, 256 * z);
      int wrong = 0;
      for (int k = 0; k < 40; ++k) {
        int x0 = at(rng), x1 = at(rng);
        if (x0 > x1) std::swap(x0, x1);
        std::vector<Rgb> fast(static_cast<std::size_t>(x1 - x0)), byRuns(fast.size());
        PaintEnlargedRow(row, x0, x1, fast.data());
        PaintEnlargedRowByRuns(row, x0, x1, byRuns.data());
        for (int x = x0; x < x1; ++x) {
          const int p = x / z;
          Rgb expected = source[static_cast<std::size_t>(p)];
          if (x % z == 0 && row.PixelDot) expected = 1;
          if (x % z == 0 && p % 8 == 0 && row.CellDot) expected = 2;
          wrong += fast[static_cast<std::size_t>(x - x0)] != expected;
          wrong += byRuns[static_cast<std::size_t>(x - x0)] != expected;
        }
      }
      EXPECT_EQ(wrong, 0) << "z " << z << ", dots " << dots;
    }
}

}  // namespace
}  // namespace chromaloom
