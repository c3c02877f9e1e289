#include <gtest/gtest.h>

#include "picture/palette_images.h"
#include "picture/picture.h"
#include "picture/zx_colour.h"

namespace chromaloom {
namespace {

struct RgbCase {
  int A, B, R, G, Bl;
};

TEST(ColourModel, MixColoursGivesTheKnownValues) {
  const RgbCase cases[] = {
      {0, 14, 157, 157, 157}, {13, 14, 230, 230, 230}, {3, 8, 115, 157, 0},
      {1, 2, 0, 0, 230},      {14, 3, 230, 157, 157},  {0, 0, 0, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MixColours(static_cast<ZxColour>(c.A), static_cast<ZxColour>(c.B)), MakeRgb(c.R, c.G, c.Bl))
        << c.A << "+" << c.B;
}

TEST(ColourModel, MixedTableIsSymmetricWithPlainColoursOnTheDiagonal) {
  for (int a = 0; a < ZxColourCount; ++a) {
    EXPECT_EQ(MixedColourTable[a][a], ZxRgb(static_cast<ZxColour>(a)));
    for (int b = 0; b < ZxColourCount; ++b) EXPECT_EQ(MixedColourTable[a][b], MixedColourTable[b][a]);
  }
}

TEST(ColourModel, TelltaleRowOfBlackMatchesTheTable) {
  const int expected[15][3] = {{0, 0, 0},     {0, 0, 115},   {0, 0, 157},   {115, 0, 0},     {157, 0, 0},
                               {115, 0, 115}, {157, 0, 157}, {0, 115, 0},   {0, 157, 0},     {0, 115, 115},
                               {0, 157, 157}, {115, 115, 0}, {157, 157, 0}, {115, 115, 115}, {157, 157, 157}};
  for (int b = 0; b < 15; ++b)
    EXPECT_EQ(MixedColourTable[0][b], MakeRgb(expected[b][0], expected[b][1], expected[b][2])) << b;
}

TEST(ColourModel, ZxRgbUsesNormalAndBrightLevels) {
  EXPECT_EQ(ZxRgb(0), MakeRgb(0, 0, 0));
  EXPECT_EQ(ZxRgb(1), MakeRgb(0, 0, 202));
  EXPECT_EQ(ZxRgb(4), MakeRgb(254, 0, 0));
  EXPECT_EQ(ZxRgb(9), MakeRgb(0, 202, 202));
  EXPECT_EQ(ZxRgb(12), MakeRgb(254, 254, 0));
  EXPECT_EQ(ZxRgb(14), MakeRgb(254, 254, 254));
}

TEST(ColourModel, TwinsAndBrightness) {
  const int normal[15] = {0, 1, 1, 3, 3, 5, 5, 7, 7, 9, 9, 11, 11, 13, 13};
  const int bright[15] = {0, 2, 2, 4, 4, 6, 6, 8, 8, 10, 10, 12, 12, 14, 14};
  for (int c = 0; c < 15; ++c) {
    EXPECT_EQ(NormalTwin(static_cast<ZxColour>(c)), normal[c]) << c;
    EXPECT_EQ(BrightTwin(static_cast<ZxColour>(c)), bright[c]) << c;
    EXPECT_EQ(IsBright(static_cast<ZxColour>(c)), c != 0 && c % 2 == 0) << c;
  }
}

TEST(ColourModel, MatchBrightnessFollowsTheReference) {
  struct Case {
    int Target, Reference, Expected;
  } cases[] = {{5, 8, 6}, {6, 7, 5}, {0, 8, 0}, {6, 0, 6}, {13, 2, 14}, {14, 14, 14}, {3, 1, 3}};
  for (const auto& c : cases) {
    ZxColour target = static_cast<ZxColour>(c.Target);
    MatchBrightness(target, static_cast<ZxColour>(c.Reference));
    EXPECT_EQ(target, c.Expected) << c.Target << " vs " << c.Reference;
  }
}

TEST(ColourModel, AttributeBitsBothWays) {
  const int ink[15] = {0, 1, 65, 2, 66, 3, 67, 4, 68, 5, 69, 6, 70, 7, 71};
  const int paper[15] = {0, 8, 72, 16, 80, 24, 88, 32, 96, 40, 104, 48, 112, 56, 120};
  for (int c = 0; c < 15; ++c) {
    EXPECT_EQ(InkBits(static_cast<ZxColour>(c)), ink[c]);
    EXPECT_EQ(PaperBits(static_cast<ZxColour>(c)), paper[c]);
  }
  EXPECT_EQ(ZxColourIndex(0, 1), 0);
  EXPECT_EQ(ZxColourIndex(7, 1), 14);
  EXPECT_EQ(ZxColourIndex(1, 0), 1);
  EXPECT_EQ(ZxAttrByte(2, 13), 121);
  // One BRIGHT bit: white paper comes back bright.
  EXPECT_EQ(FromZxAttrByte(121), (InkPaper{2, 14}));
  EXPECT_EQ(FromZxAttrByte(0x47), (InkPaper{14, 0}));
  EXPECT_EQ(FromZxAttrByte(0x40), (InkPaper{0, 0}));
  EXPECT_EQ(FromZxAttrByte(0x80 | 0x47), (InkPaper{14, 0}));
}

TEST(ColourModel, CharPaletteIsInColourIndexOrder) {
  const CharPalette p = MakeCharPalette(/*paper0*/ 1, /*ink0*/ 4, /*paper1*/ 7, /*ink1*/ 14);
  EXPECT_EQ(p[0], MixColours(1, 7));
  EXPECT_EQ(p[1], MixColours(1, 14));
  EXPECT_EQ(p[2], MixColours(4, 7));
  EXPECT_EQ(p[3], MixColours(4, 14));
}

TEST(PaletteImages, SwatchesCarryTheirColours) {
  const Raster strip = MakeZxStripImage();
  ASSERT_EQ(strip.Width(), 240);
  ASSERT_EQ(strip.Height(), 16);
  for (int c = 0; c < 15; ++c) {
    EXPECT_EQ(strip.At(c * 16, 0), ZxRgb(static_cast<ZxColour>(c)));
    EXPECT_EQ(strip.At(c * 16 + 15, 15), ZxRgb(static_cast<ZxColour>(c)));
  }
  const Raster full = MakeFullPaletteImage();
  ASSERT_EQ(full.Width(), 240);
  ASSERT_EQ(full.Height(), 240);
  EXPECT_EQ(full.At(3 * 16, 8 * 16), MixColours(3, 8));
  EXPECT_EQ(full.At(14 * 16 + 15, 0), MixColours(14, 0));

  const Raster border = MakeBorderPaletteImage();
  ASSERT_EQ(border.Width(), 144);
  ASSERT_EQ(border.Height(), 48);
  // Entry (7, 2) is the pair (5, 4): cyan over green.
  EXPECT_EQ(border.At(7 * 16, 2 * 16), MakeRgb(0, 202, 115));
  EXPECT_EQ(border.At(143, 47), BorderRgb(6, 4));
}

}  // namespace
}  // namespace chromaloom
