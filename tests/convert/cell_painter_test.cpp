// Free-colour painting against brute force over every pair of attribute
// bytes, and through PaintMask on whole pictures.
#include <gtest/gtest.h>

#include <random>

#include "convert/cell_painter.h"
#include "editing/drawing.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

constexpr double Weight = 0.5;  // flicker weight of the cases that weigh it

double Luma(Rgb c) { return 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c); }
double Squared(Rgb a, Rgb b) {
  const double dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}
double Flicker(ZxColour a, ZxColour b, double weight) {
  const double d = Luma(ZxRgb(a)) - Luma(ZxRgb(b));
  return weight * d * d;
}

// (stroke's distance from the chosen colour, the rest's error) of a cell
// whose pixels take entries: the cost the painter minimises.
using Cost = std::pair<double, double>;
Cost CostOf(const CellPaint& cell, const AttrEntry (&attrs)[2], const std::array<int, 64>& entries, double weight) {
  Cost cost{0, 0};
  for (int p = 0; p < 8 * cell.Lines; ++p) {
    const int k = entries[static_cast<std::size_t>(p)];
    const ZxColour a = (k & 2) ? attrs[0].Ink : attrs[0].Paper, b = (k & 1) ? attrs[1].Ink : attrs[1].Paper;
    const Rgb shown = MixedColourTable[a][b];
    const bool stroke = (cell.Stroke >> p) & 1;
    cost.first += stroke ? Squared(shown, cell.Chosen) : 0;
    cost.second += (stroke ? 0 : Squared(shown, cell.Shown[static_cast<std::size_t>(p)])) + Flicker(a, b, weight);
  }
  return cost;
}

// The best cost over every pair of attribute bytes (INK and PAPER of one
// BRIGHT per screen), each pixel at its best entry; strokes exact first.
Cost BruteForce(const CellPaint& cell, double weight) {
  std::vector<AttrEntry> bytes;
  for (int bright = 0; bright < 2; ++bright)
    for (int ink = 0; ink < 8; ++ink)
      for (int paper = 0; paper < 8; ++paper)
        bytes.push_back({ZxColourIndex(paper, bright), ZxColourIndex(ink, bright)});
  Cost best{1e300, 1e300};
  for (const AttrEntry& a0 : bytes)
    for (const AttrEntry& a1 : bytes) {
      // Pixels are independent given the attributes: each at its best entry.
      Cost total{0, 0};
      for (int p = 0; p < 8 * cell.Lines; ++p) {
        Cost pixelBest{1e300, 1e300};
        for (int k = 0; k < 4; ++k) {
          const ZxColour a = (k & 2) ? a0.Ink : a0.Paper, b = (k & 1) ? a1.Ink : a1.Paper;
          const Rgb shown = MixedColourTable[a][b];
          const bool stroke = (cell.Stroke >> p) & 1;
          const Cost c{stroke ? Squared(shown, cell.Chosen) : 0,
                       (stroke ? 0 : Squared(shown, cell.Shown[static_cast<std::size_t>(p)])) + Flicker(a, b, weight)};
          if (c < pixelBest) pixelBest = c;
        }
        total.first += pixelBest.first;
        total.second += pixelBest.second;
      }
      if (total < best) best = total;
    }
  return best;
}

TEST(CellPainter, MatchesBruteForceOverEveryPairOfAttributeBytes) {
  std::mt19937 rng(3);
  const auto mixed = [&] { return MixedColourTable[rng() % ZxColourCount][rng() % ZxColourCount]; };
  for (const int lines : {8, 4, 2, 1})
    for (const double weight : {0.0, Weight})
      for (int i = 0; i < 4; ++i) {
        CellPaint cell;
        cell.Lines = lines;
        for (int p = 0; p < 8 * lines; ++p)
          cell.Shown[static_cast<std::size_t>(p)] = i == 3 ? MakeRgb(rng() % 256, rng() % 256, rng() % 256) : mixed();
        while (cell.Stroke == 0)
          cell.Stroke = rng() & rng() & ((lines == 8 ? 0 : (std::uint64_t{1} << (8 * lines))) - 1);
        // A colour the table holds, or one it does not (the nearest then).
        const bool inTable = i != 2;
        cell.Chosen = inTable ? mixed() : MakeRgb(17, 200, 90);
        SCOPED_TRACE(testing::Message() << lines << " lines, weight " << weight << ", case " << i);
        const CellColours solved = CellPainter(MixedColourTable, ColourMetric::Srgb, weight).Solve(cell);
        std::array<int, 64> entries{};
        for (int p = 0; p < 8 * lines; ++p) {
          const auto bit = [&](int s) {
            return (solved.Rows[static_cast<std::size_t>(s)][static_cast<std::size_t>(p / 8)] >> (7 - p % 8)) & 1;
          };
          entries[static_cast<std::size_t>(p)] = 2 * bit(0) + bit(1);
        }
        const AttrEntry attrs[2] = {solved.Attrs[0], solved.Attrs[1]};
        const Cost got = CostOf(cell, attrs, entries, weight), best = BruteForce(cell, weight);
        EXPECT_EQ(solved.Exact, inTable);
        if (inTable) {
          EXPECT_EQ(got.first, 0.0);  // every stroke pixel shows the colour
        }
        EXPECT_NEAR(got.first, best.first, 1e-6 * (1 + best.first));
        EXPECT_NEAR(got.second, best.second, 1e-4 * (1 + best.second));
      }
}

TEST(CellPainter, FreeColourChangesOnlyTheCellsAStrokeTouches) {
  for (const int h : {8, 4, 2, 1})
    for (const int screen : {-1, 0, 1}) {
      SCOPED_TRACE(testing::Message() << "8x" << h << " screen " << screen);
      const Picture original = test_support::RandomPicture(h, 40u + static_cast<unsigned>(h));
      Document document(original);
      Pickers pickers;
      pickers.FreeColourMode = true;
      pickers.FreeColour = screen < 0 ? MixedColourTable[4][9] : ZxRgb(9);
      PixelSet stroke;
      for (int x = 3; x < 20; ++x) stroke.Add({x, 100 + x % 3});  // a side column of 8x1 included
      Change change(document, "Pencil");
      EXPECT_TRUE(PaintMask(change, pickers, ToolKind::Paint, stroke, Pattern::Solid,
                            {screen, &MixedColourTable, ColourMetric::Srgb, 0}));
      change.Commit();
      const Picture& painted = document.Picture();
      for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x) {
          const int col = x / 8, top = y / painted.CellHeightAt(col) * painted.CellHeightAt(col);
          bool touched = false;
          for (int l = top; l < top + painted.CellHeightAt(col); ++l)
            for (int b = 0; b < 8; ++b) touched |= stroke.Has({col * 8 + b, l});
          for (int s = 0; s < 2; ++s) {
            const bool kept = painted.GetPixelBit(s, x, y) == original.GetPixelBit(s, x, y) &&
                              painted.Attrs[s].At(col, y) == original.Attrs[s].At(col, y);
            // Outside the touched cells, and on the other screen of a screen view, nothing moves.
            if (!touched || (screen >= 0 && s != screen)) {
              ASSERT_TRUE(kept) << x << "," << y << " screen " << s;
            }
          }
          if (!stroke.Has({x, y})) continue;
          const AttrEntry a0 = painted.CellAttr(0, x, y), a1 = painted.CellAttr(1, x, y);
          const ZxColour c0 = painted.GetPixelBit(0, x, y) ? a0.Ink : a0.Paper,
                         c1 = painted.GetPixelBit(1, x, y) ? a1.Ink : a1.Paper;
          const Rgb shown = screen == 0 ? ZxRgb(c0) : screen == 1 ? ZxRgb(c1) : MixedColourTable[c0][c1];
          ASSERT_EQ(shown, pickers.FreeColour) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace chromaloom
