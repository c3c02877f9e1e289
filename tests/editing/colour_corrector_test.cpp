#include "editing/colour_corrector.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "editing/editing_fixture.h"
#include "editing/picture_commands.h"
#include "picture/palette_images.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb Grey = MakeRgb(128, 128, 128);
constexpr Rgb White = MakeRgb(255, 255, 255);

using test_support::EditingFixture;

// As the window shows the corrector: both screens rendered afresh, details updated.
void Show(EditingFixture& fx) {
  Renderer& render = fx.Display.Render;
  render.RedrawCorrector(true);
  UpdateCorrectorDetails(fx.Corrector, fx.Doc.Picture(), render.CorrectorSource0, render.CorrectorSource1);
}
// The exchange, then the corrector shown again as the window does.
void Exchange(EditingFixture& fx) {
  ExchangeCorrectorCell(fx.Corrector, fx.Doc);
  Show(fx);
}
void DrawAnts(EditingFixture& fx) {
  fx.Display.DrawCorrectorAnts(CorrectorCellOnImage(fx.Doc.Picture(), fx.Corrector));
}
void Press(EditingFixture& fx, int x, int y) {
  Renderer& render = fx.Display.Render;
  const CorrectorSurfaces surfaces{render.CorrectorScreen0, render.CorrectorScreen1, render.CorrectorSource0,
                                   render.CorrectorSource1};
  ChooseCorrectorCell(fx.Corrector, fx.Doc.Picture(), surfaces, x, y);
}

// A random picture in mode h with the corrector shown on it.
std::unique_ptr<EditingFixture> ShownCorrector(int h, unsigned seed) {
  auto fx = std::make_unique<EditingFixture>(test_support::RandomPicture(h, seed));
  Show(*fx);
  return fx;
}

void PressOnCell(EditingFixture& fx, int column, int row) {
  const int h = fx.Doc.CellHeight();
  Press(fx, column * 16 + 5, row * 2 * h + (2 * h - 1));
}

// The corrector images of a freshly rendered picture, with no outline.
std::pair<Raster, Raster> CleanCorrectorImages(const Picture& picture) {
  View fresh(picture);
  fresh.Render.RedrawCorrector(true);
  return {fresh.Render.CorrectorScreen0, fresh.Render.CorrectorScreen1};
}

struct Block {
  int Dx, Dy;
};

// Block (dx, dy) of a detail image: screen cell (column, row) at 4:1, or, if
// that cell lies outside the picture, only black and the hatch's white.
void ExpectDetailBlock(const Raster& detail, const Raster& screen, int h, int column, int row, Block b) {
  const int bx = 33 * (b.Dx + 1), by = (4 * h + 1) * (b.Dy + 1);
  const int c = column + b.Dx, r = row + b.Dy;
  const bool inside = c >= 0 && c < 32 && r >= 0 && r < 192 / h;
  int wrong = 0, white = 0;
  for (int j = 0; j < 4 * h; ++j)
    for (int i = 0; i < 32; ++i) {
      const Rgb shown = detail.At(bx + i, by + j);
      if (inside) {
        if (shown != screen.At(c * 8 + i / 4, r * h + j / 4) && ++wrong <= 3)
          ADD_FAILURE() << "pixel (" << bx + i << ", " << by + j << ")";
      } else {
        if (shown == White) ++white;
        if (shown != Black && shown != White && ++wrong <= 3)
          ADD_FAILURE() << "unhatched pixel (" << bx + i << ", " << by + j << ")";
      }
    }
  EXPECT_EQ(wrong, 0);
  if (!inside) {
    EXPECT_GT(white, 0) << "no hatching";
  }
}

TEST(ColourCorrector, PressChoosesTheCellUnderIt) {
  struct Case {
    int H, X, Y, Column, Row;
  };
  const Case cases[] = {
      {4, 100, 37, 6, 4},
      {8, 0, 0, 0, 0},
      {8, 511, 383, 31, 23},
      {1, 511, 383, 31, 191},
      {2, 17, 3, 1, 0},
      {2, 16, 4, 1, 1},
      {8, 15, 15, 0, 0},
      {8, 16, 16, 1, 1},
      // Off the image: onto its nearest edge.
      {8, 600, -5, 31, 0},
      {1, -1, 1000, 0, 191},
      {4, -40, 200, 0, 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "h " << c.H << " at (" << c.X << ", " << c.Y << ")");
    EditingFixture fx;
    NewPicture(fx.Doc, c.H);
    Press(fx, c.X, c.Y);
    EXPECT_EQ(fx.Corrector.Column, c.Column);
    EXPECT_EQ(fx.Corrector.Row, c.Row);
  }
}

TEST(ColourCorrector, DetailsShowTheNeighboursAndHatchThoseOffThePicture) {
  struct Case {
    int H, Column, Row;
  };
  const Case cases[] = {{8, 0, 0},   {8, 31, 23}, {8, 12, 0},   {8, 0, 9},   {4, 17, 20},
                        {2, 31, 95}, {1, 3, 0},   {1, 31, 191}, {1, 10, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "h " << c.H << " cell (" << c.Column << ", " << c.Row << ")");
    auto fx = ShownCorrector(c.H, 7);
    PressOnCell(*fx, c.Column, c.Row);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        SCOPED_TRACE(testing::Message() << "block " << dx << ", " << dy);
        ExpectDetailBlock(fx->Corrector.Detail0, fx->Display.Render.ScreenRaster0, c.H, c.Column, c.Row, {dx, dy});
        ExpectDetailBlock(fx->Corrector.Detail1, fx->Display.Render.ScreenRaster1, c.H, c.Column, c.Row, {dx, dy});
      }
  }
}

TEST(ColourCorrector, FreshlyShownCorrectorHatchesTheUpperLeftNeighboursOfCellZero) {
  EditingFixture fx(test_support::RandomPicture(8, 3));
  Show(fx);
  EXPECT_EQ(fx.Corrector.Column, 0);
  EXPECT_EQ(fx.Corrector.Row, 0);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      ExpectDetailBlock(fx.Corrector.Detail0, fx.Display.Render.ScreenRaster0, 8, 0, 0, {dx, dy});
      ExpectDetailBlock(fx.Corrector.Detail1, fx.Display.Render.ScreenRaster1, 8, 0, 0, {dx, dy});
    }
  const Raster& detail = fx.Corrector.Detail1;
  // A black frame where no cell covers it and no grid line crosses.
  for (int k = 0; k < 98; ++k) {
    if (k == 32 || k == 65) continue;
    EXPECT_EQ(detail.At(k, 0), Black) << k;
    EXPECT_EQ(detail.At(0, k), Black) << k;
  }
  // The hatch runs both ways diagonally.
  int falling = 0, rising = 0;
  for (int y = 1; y < 31; ++y)
    for (int x = 1; x < 31; ++x) {
      if (detail.At(x, y) != White) continue;
      falling += detail.At(x + 1, y + 1) == White;
      rising += detail.At(x + 1, y - 1) == White;
    }
  EXPECT_GT(falling, 10);
  EXPECT_GT(rising, 10);
}

TEST(ColourCorrector, DetailGridLinesFollowTheCellHeight) {
  struct Case {
    int H, Line1, Line2;
  };
  for (const Case c : {Case{8, 32, 65}, Case{4, 16, 33}, Case{2, 8, 17}, Case{1, 4, 9}}) {
    SCOPED_TRACE(testing::Message() << "h " << c.H);
    auto fx = ShownCorrector(c.H, 11);
    PressOnCell(*fx, 20, 192 / c.H / 2);
    const int height = 12 * c.H + 2;
    for (const Raster* detail : {&fx->Corrector.Detail0, &fx->Corrector.Detail1}) {
      // Horizontal lines dotted along x; where a vertical line crosses, it wins.
      for (const int y : {c.Line1, c.Line2})
        for (int x = 0; x < 98; ++x)
          if (x != 32 && x != 65) {
            ASSERT_EQ(detail->At(x, y), (x & 1) ? Grey : White) << x << ", " << y;
          }
      for (const int x : {32, 65}) {
        for (int y = 0; y < height; ++y) ASSERT_EQ(detail->At(x, y), (y & 1) ? Grey : White) << x << ", " << y;
        // Below the three rows the hatching goes on.
        if (height < 98) {
          EXPECT_EQ(detail->At(x, height), Black);
        }
      }
      // The middle cell fills the space between the lines.
      const Raster& screen =
          detail == &fx->Corrector.Detail0 ? fx->Display.Render.ScreenRaster0 : fx->Display.Render.ScreenRaster1;
      const int top = (192 / c.H / 2) * c.H;
      EXPECT_EQ(detail->At(33, c.Line1 + 1), screen.At(160, top));
      EXPECT_EQ(detail->At(64, c.Line2 - 1), screen.At(167, top + c.H - 1));
    }
  }
}

TEST(ColourCorrector, StripsMarkTheColoursOfTheCellsFirstLine) {
  struct Case {
    int H, Column, Row;
  };
  // In 8x1 mode the side columns count one-line cells too.
  for (const Case c : {Case{8, 4, 5}, Case{4, 9, 30}, Case{1, 2, 13}, Case{1, 30, 191}, Case{2, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << "h " << c.H << " cell (" << c.Column << ", " << c.Row << ")");
    EditingFixture fx(test_support::RandomPicture(c.H, 5));
    const int line = c.Row * c.H;
    fx.EditPicture([&](Change& change) {
      change.SetAttr(0, c.Column, line, {3, 14});
      change.SetAttr(1, c.Column, line, {0, 9});
      // Other lines of the cell play no part.
      if (c.H > 1) change.SetAttr(0, c.Column, line + 1, {7, 7});
    });
    Show(fx);
    PressOnCell(fx, c.Column, c.Row);
    // The swatch marker is the pickers' own, drawn on a clean strip.
    const int marked[4] = {3, 14, 0, 9};
    for (std::size_t i = 0; i < 4; ++i) {
      Raster expected = MakeZxStripImage();
      DrawMarker(expected, marked[i], 0);
      EXPECT_TRUE(fx.Corrector.Strips[i] == expected) << "strip " << i;
    }
  }
}

TEST(ColourCorrector, ExchangingTwiceGivesBackThePlanes) {
  for (const int h : {8, 4, 2, 1}) {
    for (const auto& [column, row] : {std::pair{0, 0}, std::pair{31, 192 / h - 1}, std::pair{3, 5}, std::pair{15, 7}}) {
      SCOPED_TRACE(testing::Message() << "h " << h << " cell (" << column << ", " << row << ")");
      auto fx = ShownCorrector(h, 21);
      const Picture before = fx->Doc.Picture();
      PressOnCell(*fx, column, row);
      Exchange(*fx);
      EXPECT_NE(fx->Doc.Picture(), before);
      Exchange(*fx);
      EXPECT_EQ(fx->Doc.Picture(), before);
    }
  }
}

TEST(ColourCorrector, ExchangeTradesExactlyTheCellBetweenTheScreens) {
  for (const int h : {8, 4, 2, 1}) {
    SCOPED_TRACE(testing::Message() << "h " << h);
    auto fx = ShownCorrector(h, 22);
    const int column = 12, row = 192 / h - 2;
    PressOnCell(*fx, column, row);
    const Picture& doc = fx->Doc.Picture();
    Renderer& render = fx->Display.Render;
    const Picture before = doc;
    const Raster editorImage = render.EditorImage();
    const Raster corrector0 = render.CorrectorScreen0, corrector1 = render.CorrectorScreen1;
    render.TakeDamage();
    Exchange(*fx);

    for (int col = 0; col < 32; ++col)
      for (int line = 0; line < 192; ++line) {
        const bool inCell = col == column && line / h == row;
        const int other = inCell ? 1 : 0;
        for (int s = 0; s < 2; ++s) {
          ASSERT_EQ(doc.Pixels[s].At(col, line), before.Pixels[s ^ other].At(col, line)) << col << ", " << line;
          ASSERT_EQ(doc.Attrs[s].At(col, line), before.Attrs[s ^ other].At(col, line)) << col << ", " << line;
        }
      }
    // The corrector images trade the cell; the rest stays.
    for (int y = 0; y < 384; ++y)
      for (int x = 0; x < 512; ++x) {
        const bool inCell = x / 16 == column && y / (2 * h) == row;
        ASSERT_EQ(render.CorrectorScreen0.At(x, y), (inCell ? corrector1 : corrector0).At(x, y)) << x << ", " << y;
        ASSERT_EQ(render.CorrectorScreen1.At(x, y), (inCell ? corrector0 : corrector1).At(x, y)) << x << ", " << y;
      }
    EXPECT_TRUE(render.TakeDamage().Correctors);
    // One step; the editor image follows when the window presents.
    EXPECT_EQ(fx->Doc.UndoName(), "Exchange Cells");
    EXPECT_TRUE(render.EditorImage() == editorImage);
    // The details follow the exchange: screen 0's strips now mark screen 1's colours.
    const AttrEntry first1 = before.Attrs[1].At(column, row * h);
    Raster paper0Strip = MakeZxStripImage();
    DrawMarker(paper0Strip, first1.Paper, 0);
    EXPECT_TRUE(fx->Corrector.Strips[0] == paper0Strip);
    EXPECT_EQ(fx->Corrector.Detail0.At(40, 4 * h + 2), corrector1.At(12 * 16 + 2, row * 2 * h));
  }
}

// The mixed colour of a cell's pixels, as the renderer shows them.
std::vector<Rgb> MixedCell(EditingFixture& fx, int column, int firstLine, int h) {
  fx.Display.Render.Redraw(true);
  std::vector<Rgb> colours;
  for (int y = firstLine; y < firstLine + h; ++y)
    for (int x = column * 8; x < column * 8 + 8; ++x) colours.push_back(fx.Display.Render.MixedRaster.At(x, y));
  return colours;
}

TEST(ColourCorrector, ExchangeKeepsTheMixedColoursExceptInSideColumnsOfOneLineMode) {
  struct Case {
    int H, Column, Row;
    bool Kept;
  };
  const Case cases[] = {
      {8, 0, 0, true},
      {4, 31, 47, true},
      {2, 16, 50, true},
      {1, 12, 77, true},
      {1, 23, 3, true},
      // Side columns of 8x1: the first line of the 8-line group carries the colours.
      {1, 2, 16, true},
      {1, 2, 17, false},
      {1, 28, 191, false},
      {1, 7, 100, false},
      {1, 24, 99, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "h " << c.H << " cell (" << c.Column << ", " << c.Row << ")");
    auto fx = ShownCorrector(c.H, 31);
    // Colours that tell every pair apart, and pixels with each of the four combinations.
    fx->EditPicture([&](Change& change) {
      for (int line = 0; line < 192; ++line) {
        change.SetAttr(0, c.Column, line, {1, 4});
        change.SetAttr(1, c.Column, line, {13, 6});
        change.SetPixelByte(0, c.Column, line, 0b00110011);
        change.SetPixelByte(1, c.Column, line, 0b01010101);
      }
    });
    Show(*fx);
    PressOnCell(*fx, c.Column, c.Row);
    const std::vector<Rgb> before = MixedCell(*fx, c.Column, c.Row * c.H, c.H);
    Exchange(*fx);
    const std::vector<Rgb> after = MixedCell(*fx, c.Column, c.Row * c.H, c.H);
    EXPECT_EQ(after == before, c.Kept);
  }
}

TEST(ColourCorrector, UndoTakesBackTheExchangeThenTheStrokeBeforeIt) {
  auto fx = ShownCorrector(4, 41);
  const Picture snapshotted = fx->Doc.Picture();
  fx->EditPicture([](Change& change) { change.EditPlanes().Pixels[0].At(1, 1) ^= 0xFF; });  // a drawing step
  PressOnCell(*fx, 9, 9);
  Exchange(*fx);
  const Planes exchanged = fx->Doc.Picture();

  EXPECT_EQ(fx->Doc.UndoName(), "Exchange Cells");
  fx->Doc.Undo();
  EXPECT_EQ(fx->Doc.UndoName(), "Change");
  fx->Doc.Undo();
  EXPECT_EQ(static_cast<const Planes&>(fx->Doc.Picture()), static_cast<const Planes&>(snapshotted));
  fx->Doc.Redo();
  fx->Doc.Redo();
  EXPECT_EQ(static_cast<const Planes&>(fx->Doc.Picture()), exchanged);
}

TEST(ColourCorrector, RowPastThePictureAfterAModeChangeWorksOnTheLastRow) {
  // Row 150 of 8x1 lies past line 191 in the taller modes.
  for (const int h : {8, 4, 2}) {
    SCOPED_TRACE(testing::Message() << "h " << h);
    auto fx = ShownCorrector(1, 51);
    PressOnCell(*fx, 30, 150);
    ConvertCellHeight(fx->Doc, h);
    Show(*fx);
    EXPECT_EQ(fx->Corrector.Row, 150);  // not adjusted

    const int lastRow = 192 / h - 1;
    auto reference = ShownCorrector(1, 51);
    ConvertCellHeight(reference->Doc, h);
    Show(*reference);
    PressOnCell(*reference, 30, lastRow);
    EXPECT_TRUE(fx->Corrector.Detail0 == reference->Corrector.Detail0);
    EXPECT_TRUE(fx->Corrector.Detail1 == reference->Corrector.Detail1);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_TRUE(fx->Corrector.Strips[i] == reference->Corrector.Strips[i]);

    DrawAnts(*fx);
    DrawAnts(*reference);
    EXPECT_TRUE(fx->Display.Render.CorrectorScreen0 == reference->Display.Render.CorrectorScreen0);

    // The exchange touches the last row's lines of column 30 and nothing else.
    const Picture& doc = fx->Doc.Picture();
    const Picture before = doc;
    Exchange(*fx);
    for (int line = 0; line < 192; ++line) {
      const bool inCell = line >= lastRow * h;
      EXPECT_EQ(doc.Pixels[0].At(30, line), before.Pixels[inCell ? 1 : 0].At(30, line)) << line;
      EXPECT_EQ(doc.Attrs[1].At(30, line), before.Attrs[inCell ? 0 : 1].At(30, line)) << line;
    }
    EXPECT_EQ(doc.Pixels[0].At(31, 0), before.Pixels[0].At(31, 0));
  }
}

TEST(ColourCorrector, PressRemovesTheOldCellsOutline) {
  for (const int h : {8, 4, 2, 1}) {
    SCOPED_TRACE(testing::Message() << "h " << h);
    auto fx = ShownCorrector(h, 61);
    const auto [clean0, clean1] = CleanCorrectorImages(fx->Doc.Picture());
    PressOnCell(*fx, 5, 7);
    for (int tick = 0; tick < 3; ++tick) {
      fx->Display.AdvanceAnts();
      DrawAnts(*fx);
    }
    ASSERT_FALSE(fx->Display.Render.CorrectorScreen0 == clean0);
    PressOnCell(*fx, 6, 7);
    EXPECT_TRUE(fx->Display.Render.CorrectorScreen0 == clean0);
    EXPECT_TRUE(fx->Display.Render.CorrectorScreen1 == clean1);
  }
}

TEST(ColourCorrector, AntsOutlineTheCellOnBothImages) {
  for (const int h : {8, 4, 1}) {
    SCOPED_TRACE(testing::Message() << "h " << h);
    auto fx = ShownCorrector(h, 71);
    const int column = 9, row = 192 / h - 3;
    PressOnCell(*fx, column, row);
    Renderer& render = fx->Display.Render;
    const Raster before0 = render.CorrectorScreen0, before1 = render.CorrectorScreen1;
    render.TakeDamage();
    DrawAnts(*fx);
    EXPECT_TRUE(render.TakeDamage().Correctors);
    const Rect cell{column * 16, row * 2 * h, 16, 2 * h};
    for (const auto& [image, before] :
         {std::pair{&render.CorrectorScreen0, &before0}, std::pair{&render.CorrectorScreen1, &before1}}) {
      int outline = 0;
      for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 512; ++x) {
          const bool onOutline = x >= cell.X && x < cell.Right() && y >= cell.Y && y < cell.Bottom() &&
                                 (x == cell.X || x == cell.Right() - 1 || y == cell.Y || y == cell.Bottom() - 1);
          const Rgb shown = image->At(x, y);
          if (onOutline) {
            ++outline;
            ASSERT_TRUE(shown == Black || shown == White) << x << ", " << y;
          } else {
            ASSERT_EQ(shown, before->At(x, y)) << x << ", " << y;
          }
        }
      EXPECT_GT(outline, 0);
    }
    // The dashes move with the phase.
    const Raster first = render.CorrectorScreen0;
    fx->Display.AdvanceAnts();
    DrawAnts(*fx);
    EXPECT_FALSE(render.CorrectorScreen0 == first);
  }
}

}  // namespace
}  // namespace chromaloom
