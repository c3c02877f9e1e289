#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "editing/colour_pickers.h"
#include "picture/document.h"
#include "picture/palette_images.h"
#include "picture/picture.h"
#include "support/mixing_definition.h"

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

void ExpectPickersShow(const PickerImages& images, const ColourSet& c) {
  const int stripColour[4] = {c.PAP0, c.INK0, c.PAP1, c.INK1};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ExpectMarkedImage(images.Strips[static_cast<std::size_t>(i)], MakeZxStripImage(), {{stripColour[i], 0}});
  }
  ExpectMarkedImage(images.Full, MakeFullPaletteImage(), FullMarkers(c));
}

TEST(PickerImages, StartUpShowsMarkersOnCellZero) {
  const PickerImages images;
  for (const Raster& strip : images.Strips) ExpectMarkedImage(strip, MakeZxStripImage(), {{0, 0}});
  ExpectMarkedImage(images.Full, MakeFullPaletteImage(), {{0, 0}});
  ExpectMarkedImage(images.Border, MakeBorderPaletteImage(), {{0, 0}});
  EXPECT_EQ(images.Gradient, MakeGradientImage());

  // The refresh functions reproduce the start-up look for the start-up state.
  PickerImages refreshed;
  RefreshColourPickers(refreshed, Pickers{}.CurrentColours);
  RefreshBorderPicker(refreshed, Picture{}.Border);
  EXPECT_EQ(refreshed.Full, images.Full);
  EXPECT_EQ(refreshed.Strips, images.Strips);
  EXPECT_EQ(refreshed.Border, images.Border);
}

TEST(ColourPickers, FullPaletteSetsTheSelectedEntrysColoursAndMatchesPartners) {
  struct Case {
    int Entry;
    ColourSet Before;
    int A, B;
    ColourSet After;
  } cases[] = {
      // Entry 2 on (4, 9): PAP0 follows bright red, INK1 black stays.
      {2, Colours(1, 7, 3, 0), 4, 9, Colours(2, 4, 9, 0)},     {0, Colours(0, 5, 0, 6), 8, 13, Colours(8, 6, 13, 5)},
      {1, Colours(3, 0, 12, 1), 0, 14, Colours(0, 0, 12, 14)}, {3, Colours(14, 2, 4, 0), 13, 0, Colours(13, 13, 4, 0)},
      {0, Colours(9, 9, 9, 9), 0, 0, Colours(0, 9, 0, 9)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Entry);
    Pickers pickers;
    PickerImages images;
    pickers.SelectedCharColour = c.Entry;
    pickers.CurrentColours = c.Before;
    pickers.LastPaintedSpot = {3, 1, 2, 0};
    // Any pixel of the cell picks it.
    PickFullPalette(pickers, images, c.A * 16 + 15, c.B * 16 + 3);
    EXPECT_EQ(pickers.CurrentColours, c.After);
    EXPECT_TRUE(pickers.LastPaintedSpot.IsEmpty());
    ExpectPickersShow(images, pickers.CurrentColours);
  }
}

TEST(ColourPickers, FullPaletteClickMakesTheSelectedEntryShowThatColour) {
  const ColourSet starts[] = {Colours(0, 0, 0, 0), Colours(5, 6, 13, 14), Colours(2, 11, 8, 1)};
  Pickers pickers;
  PickerImages images;
  for (int k = 0; k < 4; ++k)
    for (const ColourSet& start : starts)
      for (int a = 0; a < ZxColourCount; ++a)
        for (int b = 0; b < ZxColourCount; ++b) {
          pickers.SelectedCharColour = k;
          pickers.CurrentColours = start;
          PickFullPalette(pickers, images, a * 16 + 8, b * 16 + 8);
          const ColourSet& c = pickers.CurrentColours;
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
      {StripKind::PAP0, Colours(5, 6, 1, 2), 0, Colours(0, 6, 1, 2)},  // black changes no brightness
      {StripKind::INK0, Colours(6, 2, 6, 6), 13 * 16 + 5, Colours(5, 13, 6, 6)},
      {StripKind::PAP1, Colours(6, 6, 4, 6), 13 * 16, Colours(6, 6, 13, 5)},
      {StripKind::INK1, Colours(0, 0, 9, 3), 14 * 16 + 15, Colours(0, 0, 10, 14)},
      {StripKind::PAP0, Colours(7, 0, 0, 0), 2 * 16 + 1, Colours(2, 0, 0, 0)},
      {StripKind::INK1, Colours(1, 1, 12, 11), 0, Colours(1, 1, 12, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Strip));
    Pickers pickers;
    PickerImages images;
    pickers.CurrentColours = c.Before;
    pickers.LastPaintedSpot = {0, 0, 0, 0};
    PickStrip(pickers, images, c.Strip, c.X);
    EXPECT_EQ(pickers.CurrentColours, c.After);
    EXPECT_TRUE(pickers.LastPaintedSpot.IsEmpty());
    ExpectPickersShow(images, pickers.CurrentColours);
  }
}

TEST(ColourPickers, PointsOutsideThePickersChangeNothing) {
  Pickers pickers;
  PickerImages images;
  Document document;
  pickers.CurrentColours = Colours(3, 4, 5, 6);
  pickers.SelectedCharColour = 2;
  pickers.LastPaintedSpot = {1, 2, 3, 4};
  const Raster full = images.Full;
  const Raster border = images.Border;
  for (auto [x, y] : {std::pair{-1, 5}, {5, -1}, {240, 0}, {0, 240}, {-16, -16}, {100000, 3}}) {
    PickFullPalette(pickers, images, x, y);
    PickBorder(document, images, x, y);
  }
  PickBorder(document, images, 144, 0);
  PickBorder(document, images, 0, 48);
  for (auto [column, row] : {std::pair{-1, 0}, {9, 0}, {0, 3}, {0, -1}}) SelectBorder(document, images, column, row);
  for (int x : {-1, -16, 240, 1000}) PickStrip(pickers, images, StripKind::INK1, x);
  PickStrip(pickers, images, static_cast<StripKind>(4), 10);
  SetCharColour(pickers, -1);
  SetCharColour(pickers, 4);
  ApplyCharBits(pickers, 2, 0);
  ApplyCharBits(pickers, 0, 2);
  ApplyCharBits(pickers, -1, 1);
  EXPECT_EQ(pickers.CurrentColours, Colours(3, 4, 5, 6));
  EXPECT_EQ(pickers.SelectedCharColour, 2);
  EXPECT_EQ(pickers.LastPaintedSpot, (PaintedSpot{1, 2, 3, 4}));
  EXPECT_EQ(document.Picture().Border, (BorderChoice{0, 0}));
  EXPECT_EQ(images.Full, full);
  EXPECT_EQ(images.Border, border);
}

TEST(ColourPickers, CharColourKeysEmptyTheSpotButSelectorsDoNot) {
  Pickers pickers;
  for (int k : {3, 0, 2, 1}) {
    pickers.LastPaintedSpot = {5, 0, 1, 7};
    SetCharColour(pickers, k);
    EXPECT_EQ(pickers.SelectedCharColour, k);
    EXPECT_TRUE(pickers.LastPaintedSpot.IsEmpty());
  }

  struct Case {
    int Before, Screen, Bit, After;
  } cases[] = {
      {1, 0, 1, 3},  // INK0 selector while PAP0+INK1 is selected
      {3, 1, 0, 2}, {2, 0, 0, 0}, {0, 1, 1, 1}, {3, 0, 1, 3}, {0, 0, 1, 2}, {2, 1, 1, 3}, {1, 1, 0, 0},
  };
  for (const auto& c : cases) {
    SetCharColour(pickers, c.Before);
    pickers.LastPaintedSpot = {5, 0, 1, 7};
    ApplyCharBits(pickers, c.Screen, c.Bit);
    EXPECT_EQ(pickers.SelectedCharColour, c.After) << c.Before << " screen " << c.Screen << " bit " << c.Bit;
    EXPECT_EQ(pickers.ScreenBit(c.Screen), c.Bit);
    EXPECT_EQ(pickers.LastPaintedSpot, (PaintedSpot{5, 0, 1, 7}));
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
  Document document;
  PickerImages images;
  const Picture& picture = document.Picture();
  for (const auto& c : cases) {
    PickBorder(document, images, c.X, c.Y);
    EXPECT_EQ(picture.Border, (BorderChoice{c.Column, c.Row})) << c.X << "," << c.Y;
    EXPECT_EQ(picture.BorderDisplayColour(), MakeBorderPaletteImage().At(c.Column * 16, c.Row * 16));
    ExpectMarkedImage(images.Border, MakeBorderPaletteImage(), {{c.Column, c.Row}});
  }
  PickBorder(document, images, 7 * 16 + 8, 2 * 16 + 8);
  EXPECT_EQ(picture.BorderDisplayColour(), MakeRgb(0, 202, 115));
  // A swatch chosen by its place marks the palette as a click on it does.
  PickerImages selected;
  SelectBorder(document, selected, 1, 0);
  EXPECT_EQ(picture.Border, (BorderChoice{1, 0}));
  PickBorder(document, images, 16, 15);
  EXPECT_EQ(selected.Border, images.Border);
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

TEST(GradientLocator, ImageShowsShiftedMixedColoursOnAClearBackground) {
  const Raster image = MakeGradientImage();
  ASSERT_EQ(image.Width(), 76);
  ASSERT_EQ(image.Height(), 229);
  struct Case {
    int A, B;
    Rgb Shown;
  } cases[] = {
      {0, 0, MakeRgb(1, 2, 3)},     {0, 14, MakeRgb(158, 158, 158)},  {13, 14, MakeRgb(232, 232, 232)},
      {3, 8, MakeRgb(117, 158, 0)}, {14, 14, MakeRgb(254, 254, 254)}, {1, 1, MakeRgb(0, 0, 204)},
      {9, 7, MakeRgb(0, 204, 117)}, {2, 4, MakeRgb(158, 0, 158)},     {12, 13, MakeRgb(232, 232, 117)},
  };
  for (const auto& c : cases) {
    const Point p = GradientSwatchCorner(c.A, c.B);
    for (int dy = 0; dy < 9; ++dy)
      for (int dx = 0; dx < 9; ++dx) ASSERT_EQ(image.At(p.X + dx, p.Y + dy), c.Shown) << c.A << "," << c.B;
  }
  // Outside every swatch the background is clear (alpha 0, so the window
  // behind shows through); every swatch pixel is opaque.
  constexpr Rgb Clear = 0;
  Raster covered(76, 229, Black);
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Point p = GradientSwatchCorner(a, b);
      covered.FillRect({p.X, p.Y, 9, 9}, White);
    }
  int wrong = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const bool swatch = covered.At(x, y) == White;
      if (swatch ? (image.At(x, y) >> 24) != 0xFF : image.At(x, y) != Clear) ++wrong;
    }
  EXPECT_EQ(wrong, 0);
}

TEST(GradientLocator, ClickCollectsExactlyThePairsOfItsSwatch) {
  // The locator only shows: it reads the colours and never changes them.
  const ColourSet colours{};
  PickerImages images;
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Point corner = GradientSwatchCorner(a, b);
      std::vector<Point> expected;
      for (int q = 0; q < ZxColourCount; ++q)
        for (int p = 0; p < ZxColourCount; ++p)
          if (GradientSwatchCorner(p, q) == corner) expected.push_back({16 * p, 16 * q});
      for (const Point at : {corner, Point{corner.X + 8, corner.Y + 8}, Point{corner.X + 8, corner.Y}}) {
        images.Blink = {};
        EXPECT_TRUE(LocateGradientColour(images, colours, at.X, at.Y));
        EXPECT_TRUE(images.Blink.Running);
        EXPECT_EQ(images.Blink.Cells, expected) << a << "," << b;
        EXPECT_EQ(images.Blink.Countdown, 20);
        EXPECT_EQ(images.Blink.RestoreColour, MixedColourTable[a][b]);
      }
    }
  for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {75, 228}, {-1, 60}, {100, 60}, {47 + 9, 56 + 9}}) {
    images.Blink = {};
    EXPECT_FALSE(LocateGradientColour(images, colours, x, y)) << x << "," << y;
    EXPECT_TRUE(images.Blink.Cells.empty());
  }
}

// Two corners of each blink cell, which no marker covers.
void ExpectBlinkCellsShow(const PickerImages& images, Rgb colour) {
  for (const Point cell : images.Blink.Cells) {
    EXPECT_EQ(images.Full.At(cell.X, cell.Y), colour) << cell.X << "," << cell.Y;
    EXPECT_EQ(images.Full.At(cell.X + 15, cell.Y + 15), colour);
  }
}

Raster CleanMarkedFull(const ColourSet& colours) {
  PickerImages clean;
  RefreshColourPickers(clean, colours);
  return clean.Full;
}

TEST(GradientLocator, BlinksTenTimesAndStopsOnTheTwentyFirstTick) {
  PickerImages images;
  // PAP0 6 with PAP1 8 puts a marker on a cell of the grey swatch.
  const ColourSet colours = Colours(6, 6, 8, 8);
  RefreshColourPickers(images, colours);
  const Point corner = GradientSwatchCorner(0, 14);
  ASSERT_TRUE(LocateGradientColour(images, colours, corner.X + 4, corner.Y + 4));
  ASSERT_EQ(images.Blink.Cells.size(), 8u);
  const Rgb own = MakeRgb(157, 157, 157);
  for (int tick = 1; tick <= 20; ++tick) {
    SCOPED_TRACE(tick);
    ASSERT_TRUE(LocatorBlinkTick(images, colours));
    ExpectBlinkCellsShow(images, tick % 2 == 1 ? White : own);
    // The marker on (6, 8) survives the fill.
    EXPECT_EQ(images.Full.At(6 * 16 + 4, 8 * 16 + 4), Black);
    EXPECT_EQ(images.Full.At(6 * 16 + 7, 8 * 16 + 7), White);
    EXPECT_EQ(images.Blink.Countdown, 20 - tick);
  }
  EXPECT_EQ(images.Full, CleanMarkedFull(colours));
  EXPECT_FALSE(LocatorBlinkTick(images, colours));
  EXPECT_FALSE(images.Blink.Running);
  EXPECT_FALSE(LocatorBlinkTick(images, colours));
  EXPECT_EQ(images.Full, CleanMarkedFull(colours));
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
    PickerImages images;
    const ColourSet colours = Colours(0, 14, 13, 14);
    RefreshColourPickers(images, colours);
    ASSERT_TRUE(LocateGradientColour(images, colours, grey.X, grey.Y));
    const std::vector<Point> greyCells = images.Blink.Cells;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(LocatorBlinkTick(images, colours));
    ExpectBlinkCellsShow(images, White);  // cut off while white

    EXPECT_EQ(LocateGradientColour(images, colours, c.Second.X, c.Second.Y), c.Restarts);
    EXPECT_EQ(images.Blink.Running, c.Restarts);
    EXPECT_EQ(images.Full, CleanMarkedFull(colours));
    if (!c.Restarts) {
      EXPECT_TRUE(images.Blink.Cells.empty());
      EXPECT_FALSE(LocatorBlinkTick(images, colours));
      continue;
    }
    EXPECT_EQ(images.Blink.Countdown, 20);
    if (c.Second == grey) {
      EXPECT_EQ(images.Blink.Cells, greyCells);
    }
    int ticks = 0;
    while (LocatorBlinkTick(images, colours)) ASSERT_LE(++ticks, 20);
    EXPECT_EQ(ticks, 20);
    EXPECT_EQ(images.Full, CleanMarkedFull(colours));
  }
}

// The palettes as the profile's definition paints them, markers aside.
TEST(PickerImages, ShowMixingRepaintsThePalettesInTheProfileAndKeepsTheMarkers) {
  const ColourSet colours = Colours(3, 4, 9, 14);
  const BorderChoice border{7, 2};
  for (const MixingProfile& profile : {AverageMixing(), LinearMixing(), OwnMixing()}) {
    SCOPED_TRACE(profile.Name);
    PickerImages images;
    images.Blink.Running = true;
    ShowMixing(images, profile, colours, border);
    Raster full(240, 240), borderImage(144, 48);
    for (int a = 0; a < ZxColourCount; ++a)
      for (int b = 0; b < ZxColourCount; ++b)
        full.FillRect({16 * a, 16 * b, 16, 16}, test_support::MixedByDefinition(profile.Kind, static_cast<ZxColour>(a),
                                                                                static_cast<ZxColour>(b)));
    for (int i = 0; i < BorderColumns; ++i)
      for (int j = 0; j < BorderRows; ++j) {
        const BorderPair pair = BorderPairTable[i][j];
        borderImage.FillRect({16 * i, 16 * j, 16, 16},
                             test_support::MixedByDefinition(profile.Kind, BorderColourIndex(pair.Screen0),
                                                             BorderColourIndex(pair.Screen1)));
      }
    ExpectMarkedImage(images.Full, full, FullMarkers(colours));
    ExpectMarkedImage(images.Border, borderImage, {{border.Column, border.Row}});
    EXPECT_EQ(images.Gradient, MakeGradientImage(profile.Table));
    EXPECT_FALSE(images.Blink.Running);
    // A later pick restores from the profile's palette, not the own one.
    Pickers pickers;
    pickers.CurrentColours = colours;
    PickStrip(pickers, images, StripKind::INK1, 16 * 12 + 3);
    ExpectMarkedImage(images.Full, full, FullMarkers(pickers.CurrentColours));
    const ColourSet& now = pickers.CurrentColours;  // entry 0: the two papers
    EXPECT_EQ(SelectedCharColourRgb(pickers, profile), full.At(16 * now.PAP0, 16 * now.PAP1));
    RefreshBorderPicker(images, {0, 1});
    ExpectMarkedImage(images.Border, borderImage, {{0, 1}});
    // The locator's blink puts back the profile's colour.
    const Point corner = GradientSwatchCorner(3, 9);
    ASSERT_TRUE(LocateGradientColour(images, pickers.CurrentColours, corner.X, corner.Y));
    const Point first = images.Blink.Cells.front();
    EXPECT_EQ(images.Blink.RestoreColour, full.At(first.X, first.Y));
  }
}

}  // namespace
}  // namespace chromaloom
