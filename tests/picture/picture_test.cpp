#include <gtest/gtest.h>

#include <set>

#include "picture/picture.h"

namespace chromaloom {
namespace {

TEST(CellRule, AttrLineAndCellHeightPerMode) {
  struct Case {
    int Mode, Col, Line, AttrLine, Height;
  } cases[] = {
      {1, 1, 13, 8, 8},   {1, 12, 13, 13, 1}, {1, 7, 191, 184, 8}, {1, 8, 191, 191, 1},
      {1, 23, 5, 5, 1},   {1, 24, 5, 0, 8},   {1, 31, 100, 96, 8}, {2, 0, 13, 12, 2},
      {4, 31, 13, 12, 4}, {8, 15, 13, 8, 8},  {8, 0, 191, 184, 8}, {4, 16, 3, 0, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AttrLineOf(c.Mode, c.Col, c.Line), c.AttrLine) << c.Mode << " " << c.Col << " " << c.Line;
    EXPECT_EQ(CellHeightAt(c.Mode, c.Col), c.Height) << c.Mode << " " << c.Col;
  }
}

TEST(Picture, StartsBlackIn8x1WithFirstBorder) {
  const Picture p;
  EXPECT_EQ(p.CellHeight, 1);
  EXPECT_EQ(p.Border, (BorderChoice{0, 0}));
  EXPECT_EQ(p.BorderDisplayColour(), MakeRgb(0, 0, 0));
  EXPECT_EQ(static_cast<const Planes&>(p), Planes{});
}

TEST(Picture, PixelBitsUseBit7ForTheLeftmostPixel) {
  Picture p;
  p.SetPixelBit(0, 8, 5, true);
  EXPECT_EQ(p.Pixels[0].At(1, 5), 0x80);
  p.SetPixelBit(0, 15, 5, true);
  EXPECT_EQ(p.Pixels[0].At(1, 5), 0x81);
  EXPECT_EQ(p.Pixels[0].Bytes[1 * 192 + 5], 0x81);  // column-major storage
  p.SetPixelBit(0, 8, 5, false);
  EXPECT_EQ(p.Pixels[0].At(1, 5), 0x01);
  EXPECT_FALSE(p.GetPixelBit(1, 15, 5));
}

TEST(Picture, ColourIndexCombinesBothScreens) {
  Picture p;
  p.SetPixelBit(0, 3, 3, true);
  EXPECT_EQ(p.ColourIndexAt(3, 3), 2);
  p.SetPixelBit(1, 3, 3, true);
  EXPECT_EQ(p.ColourIndexAt(3, 3), 3);
  p.SetPixelBit(0, 3, 3, false);
  EXPECT_EQ(p.ColourIndexAt(3, 3), 1);
}

TEST(Picture, CellAttrReadsTheCellsFirstLine) {
  Picture p;
  p.SetAttr(0, 1, 8, 3, 4);
  p.SetAttr(0, 12, 13, 5, 6);
  EXPECT_EQ(p.CellAttr(0, 10, 13), (AttrEntry{3, 4}));   // side column: line 8
  EXPECT_EQ(p.CellAttr(0, 100, 13), (AttrEntry{5, 6}));  // central column: line 13
  p.CellHeight = 8;
  EXPECT_EQ(p.CellAttr(0, 100, 13), (AttrEntry{0, 0}));  // now line 8 colours it
}

TEST(BorderTable, PairsAreDistinctAndFoundWhereTheyStand) {
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i < BorderColumns; ++i)
    for (int j = 0; j < BorderRows; ++j) {
      const BorderPair pair = BorderPairTable[i][j];
      EXPECT_TRUE(seen.insert({pair.Screen0, pair.Screen1}).second);
      EXPECT_EQ(FindBorderChoice(pair), (BorderChoice{i, j}));
    }
  EXPECT_EQ(BorderPairTable[7][2], (BorderPair{5, 4}));
  EXPECT_FALSE(FindBorderChoice({7, 0}).has_value());
}

TEST(BorderTable, ChoiceSetsTheDisplayColourAndIgnoresOutsiders) {
  Picture p;
  EXPECT_TRUE(p.SetBorderChoice(7, 2));
  EXPECT_EQ(p.BorderDisplayColour(), MakeRgb(0, 202, 115));
  for (auto [i, j] : {std::pair{-1, 0}, {9, 0}, {0, 3}, {0, -1}}) {
    EXPECT_FALSE(p.SetBorderChoice(i, j));
    EXPECT_EQ(p.Border, (BorderChoice{7, 2}));
  }
}

}  // namespace
}  // namespace chromaloom
