#include <gtest/gtest.h>

#include "render/marching_ants.h"

namespace chromaloom {
namespace {

constexpr Rgb White = MakeRgb(255, 255, 255);
constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb Paper = MakeRgb(1, 2, 3);

TEST(MarchingAnts, PhaseCyclesEveryFourTicks) {
  int phase = 0;
  const int expected[] = {4, 8, 12, 0, 4};
  for (int e : expected) {
    phase = NextAntsPhase(phase);
    EXPECT_EQ(phase, e);
  }
}

TEST(MarchingAnts, StripsAreEightWhiteEightBlack) {
  const AntsStrips strips;
  EXPECT_EQ(strips.H.Width(), 4112);
  EXPECT_EQ(strips.V.Height(), 3088);
  for (int i : {0, 7, 16, 4103}) EXPECT_EQ(strips.H.At(i, 0), White) << i;
  for (int i : {8, 15, 24, 4111}) EXPECT_EQ(strips.H.At(i, 0), Black) << i;
  for (int i : {0, 7, 3072}) EXPECT_EQ(strips.V.At(0, i), White) << i;
}

// Colour sequence along the outline, clockwise from the top-left corner.
std::vector<Rgb> Clockwise(const Raster& s, Rect r) {
  std::vector<Rgb> out;
  for (int x = r.X; x < r.Right(); ++x) out.push_back(s.At(x, r.Y));
  for (int y = r.Y + 1; y < r.Bottom(); ++y) out.push_back(s.At(r.Right() - 1, y));
  return out;
}

TEST(MarchingAnts, EdgesFollowTheStripsAndMoveClockwise) {
  const AntsStrips strips;
  const Rect r{2, 3, 40, 30};
  Raster s(50, 40, Paper);
  DrawMarchingAnts(s, r, 0, strips);
  // Top edge pixel k takes strip 15 - p + k; bottom p + k; left p + k; right
  // 15 - p + k. The side edges are drawn last, so they own the corners.
  EXPECT_EQ(s.At(3, 3), White);    // top, index 16
  EXPECT_EQ(s.At(11, 3), Black);   // top, index 24
  EXPECT_EQ(s.At(2, 3), White);    // corner: left, index 0
  EXPECT_EQ(s.At(3, 32), White);   // bottom, index 1
  EXPECT_EQ(s.At(10, 32), Black);  // bottom, index 8
  EXPECT_EQ(s.At(2, 10), White);   // left, index 7
  EXPECT_EQ(s.At(2, 11), Black);   // left, index 8
  EXPECT_EQ(s.At(41, 3), Black);   // corner: right, index 15
  EXPECT_EQ(s.At(41, 4), White);   // right, index 16
  EXPECT_EQ(s.At(20, 20), Paper);  // inside untouched

  const auto before = Clockwise(s, r);
  DrawMarchingAnts(s, r, 4, strips);
  const auto after = Clockwise(s, r);
  // Along the top the dashes have moved 4 pixels to the right.
  for (int k = 5; k < r.W - 1; ++k) EXPECT_EQ(after[k], before[k - 4]) << k;
  // Down the right edge too.
  for (int k = r.W + 4; k < static_cast<int>(after.size()) - 1; ++k) EXPECT_EQ(after[k], before[k - 4]) << k;
  // Four ticks later the pattern is back.
  Raster again(50, 40, Paper);
  DrawMarchingAnts(again, r, NextAntsPhase(NextAntsPhase(NextAntsPhase(NextAntsPhase(0)))), strips);
  Raster first(50, 40, Paper);
  DrawMarchingAnts(first, r, 0, strips);
  EXPECT_TRUE(again == first);
}

TEST(MarchingAnts, OutlinesPastTheSurfaceAreClipped) {
  const AntsStrips strips;
  Raster s(10, 10, Paper);
  DrawMarchingAnts(s, {-5, -5, 30, 30}, 4, strips);
  DrawMarchingAnts(s, {5, 5, 5000, 5000}, 8, strips);
  EXPECT_NE(s.At(5, 7), Paper);  // left edge of the second outline
  EXPECT_EQ(s.At(0, 0), Paper);
}

}  // namespace
}  // namespace chromaloom
