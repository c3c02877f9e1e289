#include "editing/transforms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <utility>
#include <vector>

#include "editing/clipboard.h"
#include "editing/selection_test_support.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using namespace chromaloom::test_support;
using TransformFn = void (*)(Document&, const CellSelection&);

void Apply(TransformFn fn, EditingFixture& fx) {
  fn(fx.Doc, fx.Tools.Selection);
  fx.Present();
}

const std::pair<const char*, TransformFn> AllTransforms[] = {{"flip horizontal", FlipSelectionHorizontal},
                                                             {"flip vertical", FlipSelectionVertical},
                                                             {"quarter turn", RotateSelection90cw},
                                                             {"left", RotatePixelsLeft},
                                                             {"right", RotatePixelsRight},
                                                             {"up", RotatePixelsUp},
                                                             {"down", RotatePixelsDown}};

Box CoveredBy(int mode, int left, int top, int width, int height) {
  return {left, left + width - 1, top * mode, (top + height) * mode - 1};
}

TEST(Transform, RepeatingGivesBackTheStart) {
  struct Case {
    const char* name;
    TransformFn fn;
    int repeats, mode, left, top, width, height;
    bool movesAttributes;
  };
  const Case cases[] = {
      {"flip horizontal", FlipSelectionHorizontal, 2, 4, 3, 5, 3, 4, true},
      {"flip vertical, 8x1 with side columns", FlipSelectionVertical, 2, 1, 6, 10, 4, 7, true},
      {"quarter turn, square in 8x8", RotateSelection90cw, 4, 8, 2, 3, 3, 3, true},
      {"left on one column", RotatePixelsLeft, 8, 2, 9, 10, 1, 5, false},
      {"right on two columns", RotatePixelsRight, 16, 8, 0, 0, 2, 2, false},
      {"up", RotatePixelsUp, 12, 4, 4, 4, 2, 3, false},
      {"down", RotatePixelsDown, 12, 4, 4, 4, 2, 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture before = RandomPicture(c.mode, 10);
    EditingFixture fx(before);
    fx.Display.Render.Redraw(true);
    const Picture& doc = fx.Doc.Picture();
    // Not shown: the rectangle is used all the same.
    SetRectangle(fx.Tools.Selection, c.left, c.top, c.width, c.height);
    for (int k = 0; k < c.repeats; ++k) {
      Apply(c.fn, fx);
      EXPECT_EQ(fx.Doc.UndoStepCount(), static_cast<std::size_t>(k + 1));  // one step each
      EXPECT_EQ(ChangesOutside(doc, before, CoveredBy(c.mode, c.left, c.top, c.width, c.height)), 0);
      EXPECT_TRUE(k != 0 || !(PlanesOf(doc) == PlanesOf(before)));
      EXPECT_TRUE(c.movesAttributes || doc.Attrs == before.Attrs);
    }
    EXPECT_TRUE(doc == before);
    EXPECT_TRUE(ShowsItsPicture(fx));
  }
}

TEST(Transform, MovesPixelPairsAlongALine) {
  using Bytes = std::array<std::uint8_t, 2>;
  struct Case {
    const char* name;
    TransformFn fn;
    int width;
    Bytes in0, in1, out0, out1;  // screen 0 and screen 1 bytes of one line
  };
  const Case cases[] = {
      {"flip one column", FlipSelectionHorizontal, 1, {0xB0}, {0x01}, {0x0D}, {0x80}},
      {"flip two columns", FlipSelectionHorizontal, 2, {0x12, 0xF0}, {0x80, 0x03}, {0x0F, 0x48}, {0xC0, 0x01}},
      {"left across two columns", RotatePixelsLeft, 2, {0x80, 0x00}, {0x40, 0x01}, {0x00, 0x01}, {0x80, 0x02}},
      {"right across two columns", RotatePixelsRight, 2, {0x00, 0x01}, {0x80, 0x02}, {0x80, 0x00}, {0x40, 0x01}},
      {"left within one column", RotatePixelsLeft, 1, {0x81}, {0x40}, {0x03}, {0x80}},
      {"right within one column", RotatePixelsRight, 1, {0x81}, {0x01}, {0xC0}, {0x80}},
  };
  const int line = 19;  // inside cell row 2 of 8x8
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditingFixture fx(RandomPicture(8, 11));
    fx.EditPicture([&](Change& change) {
      for (int i = 0; i < c.width; ++i) {
        change.SetPixelByte(0, 5 + i, line, c.in0[i]);
        change.SetPixelByte(1, 5 + i, line, c.in1[i]);
      }
    });
    SetRectangle(fx.Tools.Selection, 5, 2, c.width, 1);
    Apply(c.fn, fx);
    const Picture& doc = fx.Doc.Picture();
    for (int i = 0; i < c.width; ++i) {
      EXPECT_EQ(doc.Pixels[0].At(5 + i, line), c.out0[i]);
      EXPECT_EQ(doc.Pixels[1].At(5 + i, line), c.out1[i]);
    }
  }
}

TEST(Rotate, UpAndDownMoveWholeLinesInsideTheRectangle) {
  struct Case {
    const char* name;
    TransformFn fn;
    int mode, top, height;
    std::vector<std::pair<int, int>> newLineFromOld;
  };
  const Case cases[] = {
      {"up", RotatePixelsUp, 4, 4, 3, {{27, 16}, {16, 17}, {26, 27}}},
      {"down", RotatePixelsDown, 4, 4, 3, {{16, 27}, {17, 16}, {27, 26}}},
      // 8x1 rows in 8x8 reach line 239; nothing wraps in from past line 191.
      {"up past the last line", RotatePixelsUp, 8, 20, 10, {{160, 161}, {190, 191}, {191, 191}}},
      {"down past the last line", RotatePixelsDown, 8, 20, 10, {{161, 160}, {191, 190}, {160, 160}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture before = RandomPicture(c.mode, 12);
    EditingFixture fx(before);
    const Picture& doc = fx.Doc.Picture();
    SetRectangle(fx.Tools.Selection, 4, c.top, 2, c.height);
    Apply(c.fn, fx);
    EXPECT_EQ(ChangesOutside(doc, before, CoveredBy(c.mode, 4, c.top, 2, c.height)), 0);
    EXPECT_TRUE(doc.Attrs == before.Attrs);
    for (const auto& [newLine, oldLine] : c.newLineFromOld)
      for (int col = 4; col <= 5; ++col)
        for (int s = 0; s < 2; ++s) EXPECT_EQ(doc.Pixels[s].At(col, newLine), before.Pixels[s].At(col, oldLine));
  }
}

TEST(Flip, MovesOnlyTheEntryOfEachCellsFirstLine) {
  EditingFixture fx;
  const Picture& doc = fx.Doc.Picture();
  auto expectEntry = [&doc](const Picture& before, int col, int line, int fromCol, int fromLine) {
    for (int s = 0; s < 2; ++s) EXPECT_EQ(doc.Attrs[s].At(col, line), before.Attrs[s].At(fromCol, fromLine));
  };
  const Picture mode4 = RandomPicture(4, 13);
  fx.SetPicture(mode4);
  SetRectangle(fx.Tools.Selection, 3, 5, 3, 2);
  Apply(FlipSelectionHorizontal, fx);
  for (int i = 0; i < 3; ++i)
    for (int row = 5; row <= 6; ++row) {
      expectEntry(mode4, 3 + i, row * 4, 5 - i, row * 4);
      for (int k = 1; k < 4; ++k) expectEntry(mode4, 3 + i, row * 4 + k, 3 + i, row * 4 + k);
    }
  // In 8x1 every line's entry moves, the 8-line side columns 6 and 7 included.
  const Picture mode1 = RandomPicture(1, 14);
  fx.SetPicture(mode1);
  SetRectangle(fx.Tools.Selection, 6, 10, 4, 3);
  Apply(FlipSelectionVertical, fx);
  for (int col = 6; col <= 9; ++col)
    for (int j = 0; j < 3; ++j) expectEntry(mode1, col, 10 + j, col, 12 - j);
}

// The quarter turn worked out backwards: which source lands on each place.
Planes TurnedByHand(const Picture& before, int left, int top, int width, int height) {
  Planes out = before;
  const int h = before.CellHeight, x0 = left * 8, y0 = top * h, w = width * 8, hp = height * h;
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const int b = y - y0, r = hp - 1 - (x - x0), sx = x0 + b, sy = y0 + r;
      if (b < 0 || b >= w || r < 0 || r >= hp || sx >= PictureWidth || sy >= PictureHeight) continue;
      const int pair = PairAt(before, sx, sy);
      for (int s = 0; s < 2; ++s) {
        std::uint8_t& byte = out.Pixels[s].At(x / 8, y);
        byte = static_cast<std::uint8_t>((pair >> s) & 1 ? byte | PixelMask(x) : byte & ~PixelMask(x));
      }
    }
  for (int col = 0; col < ByteColumns; ++col)
    for (int row = 0; row * h < PictureHeight; ++row) {
      const int i = row - top, j = height - 1 - (col - left);
      if (i < 0 || i >= width || j < 0 || j >= height || (top + j) * h >= PictureHeight) continue;
      for (int s = 0; s < 2; ++s) out.Attrs[s].At(col, row * h) = before.Attrs[s].At(left + i, (top + j) * h);
    }
  return out;
}

// Square cells in a square block turn as they always have.
TEST(Rotate, QuarterTurnOfASquareBlockIn8x8MatchesTheTurnWorkedBackwards) {
  struct Case {
    const char* name;
    int mode, left, top, width, height;
  };
  const Case cases[] = {
      {"3 x 3", 8, 4, 6, 3, 3},
      {"at the bottom-right corner", 8, 29, 21, 3, 3},
      {"past the bottom line", 8, 0, 22, 3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture before = RandomPicture(c.mode, 15);
    EditingFixture fx(before);
    SetRectangle(fx.Tools.Selection, c.left, c.top, c.width, c.height);
    Apply(RotateSelection90cw, fx);
    EXPECT_TRUE(PlanesOf(fx.Doc.Picture()) == TurnedByHand(before, c.left, c.top, c.width, c.height));
    EXPECT_EQ(fx.Tools.Selection.Width, c.width);
  }
}

// One screen's colour of a pixel.
ZxColour ScreenColour(const Picture& p, int s, int x, int y) {
  const AttrEntry& a = p.CellAttr(s, x, y);
  return p.GetPixelBit(s, x, y) ? a.Ink : a.Paper;
}

// Whether one PAPER and INK of one BRIGHT can show all these colours.
bool OnePairShows(const std::vector<ZxColour>& colours) {
  for (int bright = 0; bright < 2; ++bright) {
    std::vector<int> numbers;
    bool fits = true;
    for (const ZxColour c : colours) {
      const bool black = c == 0;
      fits = fits && (black || (c - 1) % 2 == bright);  // bright colours are even indexes past 0
      if (std::find(numbers.begin(), numbers.end(), ZxColourNumber(c)) == numbers.end())
        numbers.push_back(ZxColourNumber(c));
    }
    if (fits && numbers.size() <= 2) return true;
  }
  return false;
}

// Any block at any cell height: the turned block shows the turned colours
// of both screens wherever its cells can show them with the pixels around
// them, nothing outside the two blocks changes, and the cells only the old
// block covered are cleared as Delete clears them.
TEST(Rotate, QuarterTurnShowsTheTurnedColoursAndClearsWhatItLeaves) {
  std::mt19937 rng(21);
  for (const int h : {8, 4, 2, 1})
    for (int i = 0; i < 6; ++i) {
      const Picture before = RandomPicture(h, 50u + static_cast<unsigned>(i * 8 + h));
      const int rows = PictureHeight / h;
      const int width = 1 + static_cast<int>(rng() % 6), height = 1 + static_cast<int>(rng() % (h == 8 ? 6 : 20));
      const int left = static_cast<int>(rng() % (ByteColumns - 1)), top = static_cast<int>(rng() % (rows - 1));
      if (h == 8 && width == height) continue;  // turns as it always has (above)
      SCOPED_TRACE(testing::Message() << "8x" << h << " " << width << " x " << height << " at " << left << "," << top);
      EditingFixture fx(before);
      SetRectangle(fx.Tools.Selection, left, top, width, height);
      fx.Tools.Selection.Shown = true;
      Pickers pickers;
      pickers.CurrentColours = {1, 6, 3, 12};
      pickers.SelectedCharColour = 1;
      RotateSelection90cw(fx.Doc, fx.Tools.Selection, pickers);
      const Picture& after = fx.Doc.Picture();
      Document deleted(before);
      DeleteSelection(deleted, fx.Tools.Selection, pickers);
      const int x0 = left * 8, y0 = top * h, w = width * 8, hp = height * h;
      const auto inOld = [&](int x, int y) { return x >= x0 && x < x0 + w && y >= y0 && y < y0 + hp; };
      // The turned block, where its source lies on the picture.
      const auto inNew = [&](int x, int y) {
        return x >= x0 && x < x0 + hp && y >= y0 && y < y0 + w && y0 + hp - 1 - (x - x0) < PictureHeight &&
               x0 + (y - y0) < PictureWidth;
      };
      for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x)
          for (int s = 0; s < 2; ++s) {
            const ZxColour now = ScreenColour(after, s, x, y);
            const bool turnedHere = x >= x0 && x < x0 + hp && y >= y0 && y < y0 + w;
            const int col = x / 8, ch = after.CellHeightAt(col), cellTop = y / ch * ch;
            // A cell of 8x1's side columns that Delete clears in part takes its colours, as Delete gives them.
            bool cellInOld = false;
            for (int l = cellTop; l < cellTop + ch; ++l) cellInOld |= inOld(col * 8, l);
            if (!inOld(x, y) && !turnedHere && !cellInOld) {
              ASSERT_EQ(now, ScreenColour(before, s, x, y)) << x << "," << y;
            }
            bool cellInNew = false;
            for (int l = cellTop; l < cellTop + ch; ++l)
              for (int b = 0; b < 8; ++b) cellInNew |= inNew(col * 8 + b, l);
            if (inOld(x, y) && !cellInNew) {
              ASSERT_EQ(now, ScreenColour(deleted.Picture(), s, x, y)) << x << "," << y;
            }
            if (!inNew(x, y)) continue;
            // The colours this cell must show on this screen: the turned ones and those outside both blocks.
            std::vector<ZxColour> wanted;
            for (int l = cellTop; l < cellTop + ch; ++l)
              for (int b = 0; b < 8; ++b) {
                const int px = col * 8 + b;
                if (inNew(px, l))
                  wanted.push_back(ScreenColour(before, s, x0 + (l - y0), y0 + hp - 1 - (px - x0)));
                else if (!inOld(px, l))
                  wanted.push_back(ScreenColour(before, s, px, l));
              }
            if (OnePairShows(wanted)) {
              ASSERT_EQ(now, ScreenColour(before, s, x0 + (y - y0), y0 + hp - 1 - (x - x0))) << x << "," << y;
            }
          }
      EXPECT_EQ(fx.Doc.UndoName(), "Rotate");
    }
}

TEST(Transform, ReachingPastTheEdgesChangesOnlyThePictureInside) {
  // 8x1 rows 20..24 in 8x8 reach line 199, and columns 30..32 one past the right.
  for (const auto& [name, fn] : AllTransforms) {
    SCOPED_TRACE(name);
    const Picture before = RandomPicture(8, 17);
    EditingFixture fx(before);
    SetRectangle(fx.Tools.Selection, 30, 20, 3, 5);
    Apply(fn, fx);
    EXPECT_EQ(ChangesOutside(fx.Doc.Picture(), before, Box{30, 31, 160, 191}), 0);
    EXPECT_FALSE(PlanesOf(fx.Doc.Picture()) == PlanesOf(before));
  }
}

TEST(Transform, BeforeAnySelectionChangesNothing) {
  for (const auto& [name, fn] : AllTransforms) {
    SCOPED_TRACE(name);
    const Picture before = RandomPicture(2, 18);
    EditingFixture fx(before);  // not rendered yet
    Apply(fn, fx);
    EXPECT_TRUE(fx.Doc.Picture() == before);
    EXPECT_EQ(fx.Doc.UndoName(), "");  // no step taken
  }
}

}  // namespace
}  // namespace chromaloom
