#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "editing/colour_selection.h"
#include "editing/editor.h"
#include "picture/palette_images.h"
#include "picture/picture.h"

namespace chromaloom {
namespace {

constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb White = MakeRgb(255, 255, 255);

ColourSet Colours(int pap0, int ink0, int pap1, int ink1) {
  return {static_cast<ZxColour>(pap0), static_cast<ZxColour>(ink0), static_cast<ZxColour>(pap1),
          static_cast<ZxColour>(ink1)};
}

// Every pixel of image: the clean picture, except that each listed 16 x 16
// cell carries a marker (black ring and white inside over pixels 4..11).
void ExpectMarkedImage(const Raster& image, const Raster& clean, const std::set<std::pair<int, int>>& cells) {
  ASSERT_EQ(image.Width(), clean.Width());
  ASSERT_EQ(image.Height(), clean.Height());
  int wrong = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const int cx = x % 16, cy = y % 16;
      Rgb expected = clean.At(x, y);
      if (cells.count({x / 16, y / 16}) && cx >= 4 && cx <= 11 && cy >= 4 && cy <= 11)
        expected = (cx == 4 || cx == 11 || cy == 4 || cy == 11) ? Black : White;
      if (image.At(x, y) != expected && ++wrong <= 5) ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
    }
  EXPECT_EQ(wrong, 0);
}

std::set<std::pair<int, int>> FullMarkers(const ColourSet& c) {
  return {{c.PAP0, c.PAP1}, {c.PAP0, c.INK1}, {c.INK0, c.PAP1}, {c.INK0, c.INK1}};
}

void ExpectPickersShow(const Editor& e) {
  const ColourSet& c = e.Editing.CurrentColours;
  const int stripColour[4] = {c.PAP0, c.INK0, c.PAP1, c.INK1};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ExpectMarkedImage(e.Pickers.Strips[static_cast<std::size_t>(i)], MakeZxStripImage(), {{stripColour[i], 0}});
  }
  ExpectMarkedImage(e.Pickers.Full, MakeFullPaletteImage(), FullMarkers(c));
}

TEST(PickerImages, StartUpShowsMarkersOnCellZero) {
  Editor e;
  for (const Raster& strip : e.Pickers.Strips) ExpectMarkedImage(strip, MakeZxStripImage(), {{0, 0}});
  ExpectMarkedImage(e.Pickers.Full, MakeFullPaletteImage(), {{0, 0}});
  ExpectMarkedImage(e.Pickers.Border, MakeBorderPaletteImage(), {{0, 0}});
  EXPECT_EQ(e.Pickers.Gradient, MakeGradientImage());

  // The refresh functions reproduce the start-up look for the start-up state.
  Editor refreshed;
  RefreshColourPickers(refreshed);
  RefreshBorderPicker(refreshed);
  EXPECT_EQ(refreshed.Pickers.Full, e.Pickers.Full);
  EXPECT_EQ(refreshed.Pickers.Strips, e.Pickers.Strips);
  EXPECT_EQ(refreshed.Pickers.Border, e.Pickers.Border);
}

TEST(ColourPickers, FullPaletteSetsTheSelectedEntrysColoursAndMatchesPartners) {
  struct Case {
    int Entry;
    ColourSet Before;
    int A, B;
    ColourSet After;
  } cases[] = {
      // Entry 2 on (4, 9): PAP0 follows bright red, INK1 black stays.
      {2, Colours(1, 7, 3, 0), 4, 9, Colours(2, 4, 9, 0)},
      {0, Colours(0, 5, 0, 6), 8, 13, Colours(8, 6, 13, 5)},
      {1, Colours(3, 0, 12, 1), 0, 14, Colours(0, 0, 12, 14)},
      {3, Colours(14, 2, 4, 0), 13, 0, Colours(13, 13, 4, 0)},
      {0, Colours(9, 9, 9, 9), 0, 0, Colours(0, 9, 0, 9)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Entry);
    Editor e;
    e.Editing.SelectedCharColour = c.Entry;
    e.Editing.CurrentColours = c.Before;
    e.Editing.LastPaintedSpot = {3, 1, 2, 0};
    // Any pixel of the cell picks it.
    PickFullPalette(e, c.A * 16 + 15, c.B * 16 + 3);
    EXPECT_EQ(e.Editing.CurrentColours, c.After);
    EXPECT_TRUE(e.Editing.LastPaintedSpot.IsEmpty());
    ExpectPickersShow(e);
  }
}

TEST(ColourPickers, FullPaletteClickMakesTheSelectedEntryShowThatColour) {
  const ColourSet starts[] = {Colours(0, 0, 0, 0), Colours(5, 6, 13, 14), Colours(2, 11, 8, 1)};
  Editor e;
  for (int k = 0; k < 4; ++k)
    for (const ColourSet& start : starts)
      for (int a = 0; a < ZxColourCount; ++a)
        for (int b = 0; b < ZxColourCount; ++b) {
          e.Editing.SelectedCharColour = k;
          e.Editing.CurrentColours = start;
          PickFullPalette(e, a * 16 + 8, b * 16 + 8);
          const ColourSet& c = e.Editing.CurrentColours;
          EXPECT_EQ(MakeCharPalette(c.PAP0, c.INK0, c.PAP1, c.INK1)[static_cast<std::size_t>(k)],
                    MixColours(static_cast<ZxColour>(a), static_cast<ZxColour>(b)))
              << "entry " << k << " pair " << a << "," << b;
          // Each screen keeps one brightness for PAPER and INK unless one is black.
          for (auto [paper, ink] : {std::pair{c.PAP0, c.INK0}, std::pair{c.PAP1, c.INK1}})
            if (paper != 0 && ink != 0) {
              EXPECT_EQ(IsBright(paper), IsBright(ink));
            }
        }
}

TEST(ColourPickers, StripSetsItsColourAndMatchesThePartner) {
  struct Case {
    StripKind Strip;
    ColourSet Before;
    int X;
    ColourSet After;
  } cases[] = {
      {StripKind::PAP0, Colours(5, 6, 1, 2), 0, Colours(0, 6, 1, 2)},       // black changes no brightness
      {StripKind::INK0, Colours(6, 2, 6, 6), 13 * 16 + 5, Colours(5, 13, 6, 6)},
      {StripKind::PAP1, Colours(6, 6, 4, 6), 13 * 16, Colours(6, 6, 13, 5)},
      {StripKind::INK1, Colours(0, 0, 9, 3), 14 * 16 + 15, Colours(0, 0, 10, 14)},
      {StripKind::PAP0, Colours(7, 0, 0, 0), 2 * 16 + 1, Colours(2, 0, 0, 0)},
      {StripKind::INK1, Colours(1, 1, 12, 11), 0, Colours(1, 1, 12, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Strip));
    Editor e;
    e.Editing.CurrentColours = c.Before;
    e.Editing.LastPaintedSpot = {0, 0, 0, 0};
    PickStrip(e, c.Strip, c.X);
    EXPECT_EQ(e.Editing.CurrentColours, c.After);
    EXPECT_TRUE(e.Editing.LastPaintedSpot.IsEmpty());
    ExpectPickersShow(e);
  }
}

TEST(ColourPickers, PointsOutsideThePickersChangeNothing) {
  Editor e;
  e.Editing.CurrentColours = Colours(3, 4, 5, 6);
  e.Editing.SelectedCharColour = 2;
  e.Editing.LastPaintedSpot = {1, 2, 3, 4};
  const Raster full = e.Pickers.Full;
  const Raster border = e.Pickers.Border;
  for (auto [x, y] : {std::pair{-1, 5}, {5, -1}, {240, 0}, {0, 240}, {-16, -16}, {100000, 3}}) {
    PickFullPalette(e, x, y);
    PickBorder(e, x, y);
  }
  PickBorder(e, 144, 0);
  PickBorder(e, 0, 48);
  for (int x : {-1, -16, 240, 1000}) PickStrip(e, StripKind::INK1, x);
  PickStrip(e, static_cast<StripKind>(4), 10);
  SetCharColour(e, -1);
  SetCharColour(e, 4);
  ApplyCharBits(e, 2, 0);
  ApplyCharBits(e, 0, 2);
  ApplyCharBits(e, -1, 1);
  EXPECT_EQ(e.Editing.CurrentColours, Colours(3, 4, 5, 6));
  EXPECT_EQ(e.Editing.SelectedCharColour, 2);
  EXPECT_EQ(e.Editing.LastPaintedSpot, (PaintedSpot{1, 2, 3, 4}));
  EXPECT_EQ(e.Document.Border, (BorderChoice{0, 0}));
  EXPECT_EQ(e.Pickers.Full, full);
  EXPECT_EQ(e.Pickers.Border, border);
}

TEST(ColourPickers, CharColourKeysEmptyTheSpotButSelectorsDoNot) {
  Editor e;
  for (int k : {3, 0, 2, 1}) {
    e.Editing.LastPaintedSpot = {5, 0, 1, 7};
    SetCharColour(e, k);
    EXPECT_EQ(e.Editing.SelectedCharColour, k);
    EXPECT_TRUE(e.Editing.LastPaintedSpot.IsEmpty());
  }

  struct Case {
    int Before, Screen, Bit, After;
  } cases[] = {
      {1, 0, 1, 3},  // INK0 selector while PAP0+INK1 is selected
      {3, 1, 0, 2}, {2, 0, 0, 0}, {0, 1, 1, 1}, {3, 0, 1, 3}, {0, 0, 1, 2}, {2, 1, 1, 3}, {1, 1, 0, 0},
  };
  for (const auto& c : cases) {
    SetCharColour(e, c.Before);
    e.Editing.LastPaintedSpot = {5, 0, 1, 7};
    ApplyCharBits(e, c.Screen, c.Bit);
    EXPECT_EQ(e.Editing.SelectedCharColour, c.After) << c.Before << " screen " << c.Screen << " bit " << c.Bit;
    EXPECT_EQ(e.Editing.ScreenBit(c.Screen), c.Bit);
    EXPECT_EQ(e.Editing.LastPaintedSpot, (PaintedSpot{5, 0, 1, 7}));
  }
}

TEST(BorderPicker, ClickChoosesTheCellUnderItEvenOnItsMarker) {
  struct Case {
    int X, Y, Column, Row;
  } cases[] = {
      {7 * 16 + 2, 2 * 16 + 1, 7, 2},
      {7 * 16 + 8, 2 * 16 + 8, 7, 2},  // inside the marker just drawn
      {7 * 16 + 4, 2 * 16 + 4, 7, 2},  // on its black ring
      {0, 0, 0, 0},
      {143, 47, 8, 2},
      {16, 15, 1, 0},
  };
  Editor e;
  for (const auto& c : cases) {
    PickBorder(e, c.X, c.Y);
    EXPECT_EQ(e.Document.Border, (BorderChoice{c.Column, c.Row})) << c.X << "," << c.Y;
    EXPECT_EQ(e.Document.BorderDisplayColour(), MakeBorderPaletteImage().At(c.Column * 16, c.Row * 16));
    ExpectMarkedImage(e.Pickers.Border, MakeBorderPaletteImage(), {{c.Column, c.Row}});
  }
  PickBorder(e, 7 * 16 + 8, 2 * 16 + 8);
  EXPECT_EQ(e.Document.BorderDisplayColour(), MakeRgb(0, 202, 115));
}

TEST(GradientLocator, SwatchTableGroupsPairsOfOneColour) {
  std::map<std::pair<int, int>, int> pairsAt;
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Point p = GradientSwatchCorner(a, b);
      EXPECT_EQ(p, GradientSwatchCorner(b, a)) << a << "," << b;
      EXPECT_EQ((p.X - 2) % 9, 0);
      EXPECT_EQ((p.Y - 2) % 9, 0);
      EXPECT_GE(p.X, 2);
      EXPECT_GE(p.Y, 2);
      EXPECT_LE(p.X + 9, 76);
      EXPECT_LE(p.Y + 9, 229);
      ++pairsAt[{p.X, p.Y}];
      for (int c = 0; c < ZxColourCount; ++c)
        for (int d = 0; d < ZxColourCount; ++d) {
          const bool sameCorner = GradientSwatchCorner(c, d) == p;
          const bool sameColour = MixedColourTable[c][d] == MixedColourTable[a][b];
          EXPECT_EQ(sameCorner, sameColour) << a << "," << b << " vs " << c << "," << d;
        }
    }
  EXPECT_EQ(pairsAt.size(), 102u);
  for (const auto& [corner, count] : pairsAt) {
    EXPECT_LE(count, 8) << corner.first << "," << corner.second;
    for (const auto& [other, unused] : pairsAt)
      if (other != corner) {
        const bool apart = std::abs(other.first - corner.first) >= 9 || std::abs(other.second - corner.second) >= 9;
        EXPECT_TRUE(apart) << corner.first << "," << corner.second;
      }
  }
  // Outside the colour range: off the image.
  for (auto [a, b] : {std::pair{-1, 0}, {0, 15}, {15, 15}}) {
    const Point p = GradientSwatchCorner(a, b);
    EXPECT_TRUE(p.X + 9 <= 0 || p.Y + 9 <= 0 || p.X >= 76 || p.Y >= 229);
  }
}

TEST(GradientLocator, ImageShowsShiftedMixedColoursOnBlack) {
  const Raster image = MakeGradientImage();
  ASSERT_EQ(image.Width(), 76);
  ASSERT_EQ(image.Height(), 229);
  struct Case {
    int A, B;
    Rgb Shown;
  } cases[] = {
      {0, 0, MakeRgb(1, 2, 3)},        {0, 14, MakeRgb(158, 158, 158)}, {13, 14, MakeRgb(232, 232, 232)},
      {3, 8, MakeRgb(117, 158, 0)},    {14, 14, MakeRgb(254, 254, 254)}, {1, 1, MakeRgb(0, 0, 204)},
      {9, 7, MakeRgb(0, 204, 117)},    {2, 4, MakeRgb(158, 0, 158)},    {12, 13, MakeRgb(232, 232, 117)},
  };
  for (const auto& c : cases) {
    const Point p = GradientSwatchCorner(c.A, c.B);
    for (int dy = 0; dy < 9; ++dy)
      for (int dx = 0; dx < 9; ++dx) ASSERT_EQ(image.At(p.X + dx, p.Y + dy), c.Shown) << c.A << "," << c.B;
  }
  // Outside every swatch the background is black, and no swatch is.
  Raster covered(76, 229, Black);
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Point p = GradientSwatchCorner(a, b);
      covered.FillRect({p.X, p.Y, 9, 9}, White);
    }
  int wrong = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if ((covered.At(x, y) == White) == (image.At(x, y) == Black)) ++wrong;
  EXPECT_EQ(wrong, 0);
}

TEST(GradientLocator, ClickCollectsExactlyThePairsOfItsSwatch) {
  Editor e;
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Point corner = GradientSwatchCorner(a, b);
      std::vector<Point> expected;
      for (int q = 0; q < ZxColourCount; ++q)
        for (int p = 0; p < ZxColourCount; ++p)
          if (GradientSwatchCorner(p, q) == corner) expected.push_back({16 * p, 16 * q});
      for (const Point at : {corner, Point{corner.X + 8, corner.Y + 8}, Point{corner.X + 8, corner.Y}}) {
        e.Blink = {};
        EXPECT_TRUE(GradientClick(e, at.X, at.Y));
        EXPECT_TRUE(e.Blink.Running);
        EXPECT_EQ(e.Blink.Cells, expected) << a << "," << b;
        EXPECT_EQ(e.Blink.Countdown, 20);
        EXPECT_EQ(e.Blink.RestoreColour, MixedColourTable[a][b]);
        EXPECT_EQ(e.Editing.CurrentColours, ColourSet{});  // the locator only shows
      }
    }
  for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {75, 228}, {-1, 60}, {100, 60}, {47 + 9, 56 + 9}}) {
    e.Blink = {};
    EXPECT_FALSE(GradientClick(e, x, y)) << x << "," << y;
    EXPECT_TRUE(e.Blink.Cells.empty());
  }
}

// Two corners of each blink cell, which no marker covers.
void ExpectBlinkCellsShow(const Editor& e, Rgb colour) {
  for (const Point cell : e.Blink.Cells) {
    EXPECT_EQ(e.Pickers.Full.At(cell.X, cell.Y), colour) << cell.X << "," << cell.Y;
    EXPECT_EQ(e.Pickers.Full.At(cell.X + 15, cell.Y + 15), colour);
  }
}

Raster CleanMarkedFull(const ColourSet& colours) {
  Editor clean;
  clean.Editing.CurrentColours = colours;
  RefreshColourPickers(clean);
  return clean.Pickers.Full;
}

TEST(GradientLocator, BlinksTenTimesAndStopsOnTheTwentyFirstTick) {
  Editor e;
  // PAP0 6 with PAP1 8 puts a marker on a cell of the grey swatch.
  e.Editing.CurrentColours = Colours(6, 6, 8, 8);
  RefreshColourPickers(e);
  const Point corner = GradientSwatchCorner(0, 14);
  ASSERT_TRUE(GradientClick(e, corner.X + 4, corner.Y + 4));
  ASSERT_EQ(e.Blink.Cells.size(), 8u);
  const Rgb own = MakeRgb(157, 157, 157);
  for (int tick = 1; tick <= 20; ++tick) {
    SCOPED_TRACE(tick);
    ASSERT_TRUE(GradientTick(e));
    ExpectBlinkCellsShow(e, tick % 2 == 1 ? White : own);
    // The marker on (6, 8) survives the fill.
    EXPECT_EQ(e.Pickers.Full.At(6 * 16 + 4, 8 * 16 + 4), Black);
    EXPECT_EQ(e.Pickers.Full.At(6 * 16 + 7, 8 * 16 + 7), White);
    EXPECT_EQ(e.Blink.Countdown, 20 - tick);
  }
  EXPECT_EQ(e.Pickers.Full, CleanMarkedFull(e.Editing.CurrentColours));
  EXPECT_FALSE(GradientTick(e));
  EXPECT_FALSE(e.Blink.Running);
  EXPECT_FALSE(GradientTick(e));
  EXPECT_EQ(e.Pickers.Full, CleanMarkedFull(e.Editing.CurrentColours));
}

TEST(GradientLocator, NextClickCutsTheBlinkOffAndRestoresItsCells) {
  struct Case {
    const char* Name;
    Point Second;  // where the second click lands
    bool Restarts;
  };
  const Point grey = GradientSwatchCorner(0, 14);
  const Point blue = GradientSwatchCorner(1, 1);
  const Case cases[] = {
      {"same swatch", grey, true},
      {"other swatch", blue, true},
      {"no swatch", {0, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Editor e;
    e.Editing.CurrentColours = Colours(0, 14, 13, 14);
    RefreshColourPickers(e);
    ASSERT_TRUE(GradientClick(e, grey.X, grey.Y));
    const std::vector<Point> greyCells = e.Blink.Cells;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(GradientTick(e));
    ExpectBlinkCellsShow(e, White);  // cut off while white

    EXPECT_EQ(GradientClick(e, c.Second.X, c.Second.Y), c.Restarts);
    EXPECT_EQ(e.Blink.Running, c.Restarts);
    EXPECT_EQ(e.Pickers.Full, CleanMarkedFull(e.Editing.CurrentColours));
    if (!c.Restarts) {
      EXPECT_TRUE(e.Blink.Cells.empty());
      EXPECT_FALSE(GradientTick(e));
      continue;
    }
    EXPECT_EQ(e.Blink.Countdown, 20);
    if (c.Second == grey) {
      EXPECT_EQ(e.Blink.Cells, greyCells);
    }
    int ticks = 0;
    while (GradientTick(e)) ASSERT_LE(++ticks, 20);
    EXPECT_EQ(ticks, 20);
    EXPECT_EQ(e.Pickers.Full, CleanMarkedFull(e.Editing.CurrentColours));
  }
}

}  // namespace
}  // namespace chromaloom
