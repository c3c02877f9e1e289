#include "editing/canvas_tools.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editing/editor.h"
#include "selection/undo.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using PixelSet = std::set<std::pair<int, int>>;
using Texts = std::array<std::string, 4>;

constexpr MouseButtons Left{true, false, false};
constexpr MouseButtons Right{false, true, false};
constexpr MouseButtons NoButton{};
constexpr Rgb White = MakeRgb(255, 255, 255);

void Prepare(Editor& e, const Picture& picture, int zoom = 1) {
  e.Document = picture;
  e.SetZoom(zoom);
  e.Redraw(true);
}

Picture BlankPicture(int mode) {
  Picture p;
  p.CharMode = static_cast<std::uint8_t>(mode);
  return p;
}

// A canvas point inside picture pixel (px, py), off its top-left corner.
Point CanvasOf(const Editor& e, int px, int py, int offset = 1) {
  const int z = e.View.Scale();
  return {px * z + offset, py * z + offset};
}

CanvasFeedback PressAt(Editor& e, MouseButtons b, int px, int py) {
  const Point p = CanvasOf(e, px, py);
  return CanvasMouseDown(e, b, p.X, p.Y);
}

CanvasFeedback MoveTo(Editor& e, MouseButtons b, int px, int py) {
  const Point p = CanvasOf(e, px, py);
  return CanvasMouseMove(e, b, p.X, p.Y);
}

PixelSet SetPixels(const Picture& p, int screen) {
  PixelSet result;
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x)
      if (p.GetPixelBit(screen, x, y)) result.insert({x, y});
  return result;
}

const Planes& PlanesOf(const Picture& p) { return p; }

// The painting rule: which bits and fill bytes each CharPalette entry gives.
struct EntryRule {
  int Entry;
  bool Bit0, Bit1;
  std::uint8_t Fill0, Fill1;
};
constexpr EntryRule EntryRules[] = {
    {0, false, false, 0x00, 0x00},
    {1, false, true, 0x00, 0xFF},
    {2, true, false, 0xFF, 0x00},
    {3, true, true, 0xFF, 0xFF},
};

// Where a paint at pixel (X, Y) lands in each mode.
struct SpotCase {
  int Mode, X, Y;
  int AttrLine;             // the entry that colours the cell
  int FillFirst, FillCount; // the bytes FillChar writes
  int CellRow;
};
constexpr SpotCase SpotCases[] = {
    {8, 100, 13, 8, 8, 8, 1},     {8, 20, 5, 0, 0, 8, 0},       {4, 100, 13, 12, 12, 4, 3},
    {4, 255, 191, 188, 188, 4, 47}, {2, 100, 13, 12, 12, 2, 6},  {2, 20, 5, 4, 4, 2, 2},
    {1, 100, 13, 13, 13, 1, 13},  {1, 10, 13, 8, 13, 1, 13},    {1, 250, 190, 184, 190, 1, 190},
};

TEST(PaintAt, FollowsThePaintingRuleInEveryModeEditModeAndEntry) {
  const ColourSet colours{3, 10, 5, 14};
  unsigned seed = 1;
  Editor fresh;
  for (const SpotCase& c : SpotCases) {
    for (const EntryRule& rule : EntryRules) {
      for (const InstrumentKind tool : {InstrumentKind::Paint, InstrumentKind::FillChar}) {
        for (const bool pix : {false, true}) {
          for (const bool rgb : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " at " << c.X << "," << c.Y << " entry "
                                            << rule.Entry << " tool " << static_cast<int>(tool) << " pix " << pix
                                            << " rgb " << rgb);
            const Picture original = chromaloom::test_support::RandomPicture(c.Mode, ++seed);
            Editor e;
            Prepare(e, original);
            e.Editing.CurrentColours = colours;
            e.Editing.SelectedCharColour = rule.Entry;
            e.Editing.EditModePix = pix;
            e.Editing.EditModeRgb = rgb;
            e.Editing.CurrentInstrument = tool;
            const Point p = CanvasOf(e, c.X, c.Y, 3);
            const CanvasFeedback f = PaintAt(e, p.X, p.Y);

            Picture expected = original;
            const int column = c.X / 8;
            if (rgb) {
              expected.SetAttr(0, column, c.AttrLine, colours.PAP0, colours.INK0);
              expected.SetAttr(1, column, c.AttrLine, colours.PAP1, colours.INK1);
            }
            if (tool == InstrumentKind::Paint && pix) {
              expected.SetPixelBit(0, c.X, c.Y, rule.Bit0);
              expected.SetPixelBit(1, c.X, c.Y, rule.Bit1);
            }
            if (tool == InstrumentKind::FillChar) {
              for (int l = c.FillFirst; l < c.FillFirst + c.FillCount; ++l) {
                expected.Pixels[0].At(column, l) = rule.Fill0;
                expected.Pixels[1].At(column, l) = rule.Fill1;
              }
            }
            ASSERT_EQ(e.Document, expected);
            ASSERT_TRUE(f.StatusTexts.has_value());
            EXPECT_EQ(*f.StatusTexts, (Texts{std::to_string(column), std::to_string(c.CellRow),
                                             std::to_string(c.X % 8), std::to_string(c.Y)}));
            EXPECT_EQ(e.Editing.LastPaintedSpot, (PaintedSpot{column, c.CellRow, c.X % 8, c.Y}));

            // The painted cell is on screen as a full render of the result shows it.
            Prepare(fresh, expected);
            ASSERT_TRUE(e.Render.MixedRaster == fresh.Render.MixedRaster);
            ASSERT_TRUE(e.Render.EditorImage == fresh.Render.EditorImage);
            ASSERT_TRUE(e.Render.PreviewImage == fresh.Render.PreviewImage);
          }
        }
      }
    }
  }
}

TEST(PaintAt, EightByFourPaintOfEntryTwo) {
  Editor e;
  Prepare(e, BlankPicture(4));
  e.Document.Pixels[1].At(1, 9) = 0xFF;
  e.Editing.SelectedCharColour = 2;
  e.Editing.CurrentColours = {1, 4, 7, 12};
  const CanvasFeedback f = PressAt(e, Left, 13, 9);
  EXPECT_EQ(e.Document.Pixels[0].At(1, 9), 0x04);
  EXPECT_EQ(e.Document.Pixels[1].At(1, 9), 0xFF & ~0x04);
  EXPECT_EQ(e.Document.AttrAt(0, 1, 8), (AttrEntry{1, 4}));
  EXPECT_EQ(e.Document.AttrAt(1, 1, 8), (AttrEntry{7, 12}));
  EXPECT_EQ(e.Document.AttrAt(0, 1, 9), AttrEntry{});
  ASSERT_TRUE(f.StatusTexts.has_value());
  EXPECT_EQ(*f.StatusTexts, (Texts{"1", "2", "5", "9"}));
  EXPECT_EQ(e.Render.MixedRaster.At(13, 9), MixColours(4, 7));
}

TEST(PaintAt, ASecondPressOnTheLastSpotPaintsNothingButStillSnapshots) {
  Editor e;
  Prepare(e, BlankPicture(1));
  e.Editing.SelectedCharColour = 3;
  e.Editing.CurrentColours = {0, 6, 0, 6};
  PressAt(e, Left, 0, 0);  // the empty spot of start-up never matches
  EXPECT_TRUE(e.Document.GetPixelBit(0, 0, 0));
  EXPECT_TRUE(e.Document.GetPixelBit(1, 0, 0));

  PressAt(e, Left, 20, 30);
  // Changed behind the tool's back: a repaint or re-render would show it.
  e.Document.SetPixelBit(0, 20, 30, false);
  e.Document.Pixels[1].At(30, 100) = 0x5A;
  e.Render.TakeDamage();
  const Rgb before = e.Render.MixedRaster.At(20, 30);

  PressAt(e, Right, 20, 30);  // a pick keeps the last spot
  const Point other = CanvasOf(e, 20, 30, 3);
  const CanvasFeedback f = CanvasMouseDown(e, Left, other.X, other.Y);
  ASSERT_TRUE(f.StatusTexts.has_value());
  EXPECT_EQ(*f.StatusTexts, (Texts{"2", "30", "4", "30"}));
  EXPECT_FALSE(e.Document.GetPixelBit(0, 20, 30));
  EXPECT_EQ(e.Render.MixedRaster.At(20, 30), before);
  const Damage d = e.Render.TakeDamage();
  EXPECT_TRUE(d.Editor.empty());
  EXPECT_FALSE(d.Preview);
  EXPECT_EQ(e.UndoSnapshot, PlanesOf(e.Document));

  PressAt(e, Left, 21, 30);
  EXPECT_TRUE(e.Document.GetPixelBit(0, 21, 30));
}

TEST(PaintAt, PointsOffThePictureChangeNothing) {
  Editor e;
  Prepare(e, BlankPicture(8));
  e.Editing.SelectedCharColour = 3;
  for (const Point p : {Point{-1, 0}, Point{0, -1}, Point{1024, 5}, Point{5, 768}, Point{-100000, 99999}}) {
    const CanvasFeedback f = PaintAt(e, p.X, p.Y);
    EXPECT_FALSE(f.StatusTexts.has_value());
    PickCellColours(e, p.X, p.Y);
  }
  EXPECT_EQ(e.Document, BlankPicture(8));
  EXPECT_TRUE(e.Editing.LastPaintedSpot.IsEmpty());
  // A damaged mode byte: nothing divides by it.
  e.Document.CharMode = 0;
  EXPECT_FALSE(PaintAt(e, 10, 10).StatusTexts.has_value());
  EXPECT_FALSE(CanvasMouseDown(e, Left, 10, 10).StatusTexts.has_value());
  EXPECT_FALSE(CanvasMouseMove(e, NoButton, 10, 10).StatusTexts.has_value());
}

struct LineCase {
  Point From, To;  // picture pixels
  PixelSet Pixels;
};

TEST(DrawLine, PaintsTheBresenhamPixelsInEveryDirection) {
  const LineCase cases[] = {
      {{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
      {{5, 2}, {0, 0}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
      {{0, 0}, {4, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      {{4, 1}, {0, 0}, {{4, 1}, {3, 1}, {2, 0}, {1, 0}, {0, 0}}},
      {{0, 0}, {2, 5}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}},
      {{2, 5}, {0, 0}, {{2, 5}, {2, 4}, {1, 3}, {1, 2}, {0, 1}, {0, 0}}},
      {{0, 3}, {3, 0}, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},
      {{10, 4}, {6, 4}, {{10, 4}, {9, 4}, {8, 4}, {7, 4}, {6, 4}}},
      {{7, 9}, {7, 6}, {{7, 9}, {7, 8}, {7, 7}, {7, 6}}},
      {{3, 3}, {3, 3}, {{3, 3}}},
      {{255, 191}, {253, 191}, {{255, 191}, {254, 191}, {253, 191}}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.From.X << "," << c.From.Y << " -> " << c.To.X << "," << c.To.Y);
    Editor e;
    Prepare(e, BlankPicture(2), 2);
    e.Editing.CurrentInstrument = InstrumentKind::Line;
    e.Editing.SelectedCharColour = 2;
    DrawLine(e, CanvasOf(e, c.From.X, c.From.Y, 7), CanvasOf(e, c.To.X, c.To.Y, 0));
    EXPECT_EQ(SetPixels(e.Document, 0), c.Pixels);
    EXPECT_TRUE(SetPixels(e.Document, 1).empty());
  }
}

PixelSet Outline(int x0, int y0, int x1, int y1) {
  PixelSet s;
  for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
    s.insert({x, y0});
    s.insert({x, y1});
  }
  for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
    s.insert({x0, y});
    s.insert({x1, y});
  }
  return s;
}

TEST(RectTool, TwoPressesPaintTheOutlineUnderOneSnapshot) {
  const LineCase cases[] = {
      {{1, 1}, {4, 3}, Outline(1, 1, 4, 3)},
      {{4, 3}, {1, 1}, Outline(1, 1, 4, 3)},
      {{200, 10}, {60, 150}, Outline(60, 10, 200, 150)},
      {{9, 9}, {9, 9}, {{9, 9}}},
      {{0, 191}, {255, 191}, Outline(0, 191, 255, 191)},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.From.X << "," << c.From.Y << " -> " << c.To.X << "," << c.To.Y);
    Editor e;
    Prepare(e, BlankPicture(8));
    SelectInstrument(e, InstrumentKind::Rect);
    e.Editing.SelectedCharColour = 1;
    PressAt(e, Left, c.From.X, c.From.Y);
    EXPECT_TRUE(e.Editing.ShapeInProgress);
    EXPECT_EQ(e.Document, BlankPicture(8));
    e.Document.Pixels[0].At(31, 0) = 0x11;  // not in the snapshot unless the second press took one
    PressAt(e, Left, c.To.X, c.To.Y);
    EXPECT_FALSE(e.Editing.ShapeInProgress);
    EXPECT_EQ(SetPixels(e.Document, 1), c.Pixels);
    EXPECT_EQ(e.UndoSnapshot, Planes{});
  }
}

TEST(LineTool, APolylineTakesOneSnapshotAndOneUndoRemovesIt) {
  const Picture original = chromaloom::test_support::RandomPicture(4, 77);
  Editor e;
  Prepare(e, original);
  SelectInstrument(e, InstrumentKind::Line);
  e.Editing.SelectedCharColour = 3;
  e.Editing.CurrentColours = {1, 2, 3, 4};
  PressAt(e, Left, 10, 10);
  EXPECT_EQ(e.Document, original);  // the first press only sets the start
  e.Document.Pixels[0].At(31, 191) ^= 0xFF;
  const Picture tweaked = e.Document;
  PressAt(e, Left, 20, 15);
  PressAt(e, Left, 20, 40);
  EXPECT_TRUE(e.Editing.ShapeInProgress);
  EXPECT_EQ(e.Editing.ShapeStart, CanvasOf(e, 20, 40));
  for (const auto& [x, y] : {std::pair{10, 10}, {15, 13}, {20, 15}, {20, 30}, {20, 40}}) {
    EXPECT_TRUE(e.Document.GetPixelBit(0, x, y) && e.Document.GetPixelBit(1, x, y)) << x << "," << y;
    EXPECT_EQ(e.Document.CellAttr(1, x, y), (AttrEntry{3, 4}));
  }
  EXPECT_EQ(e.UndoSnapshot, PlanesOf(original));
  UndoSwap(e);
  EXPECT_EQ(e.Document, original);
  UndoSwap(e);
  EXPECT_NE(e.Document, tweaked);
  EXPECT_TRUE(e.Document.GetPixelBit(0, 15, 13));
}

TEST(ShapeTools, AStartPointIsSharedByWhicheverShapeToolIsCurrent) {
  {
    SCOPED_TRACE("line start, then a rectangle");
    Editor e;
    Prepare(e, BlankPicture(1));
    e.Editing.SelectedCharColour = 2;
    SelectInstrument(e, InstrumentKind::Line);
    PressAt(e, Left, 30, 40);
    SelectInstrument(e, InstrumentKind::Rect);
    EXPECT_TRUE(e.Editing.ShapeInProgress);
    PressAt(e, Left, 35, 44);
    EXPECT_EQ(SetPixels(e.Document, 0), Outline(30, 40, 35, 44));
    EXPECT_FALSE(e.Editing.ShapeInProgress);
  }
  {
    SCOPED_TRACE("rectangle start, then a line");
    Editor e;
    Prepare(e, BlankPicture(1));
    e.Editing.SelectedCharColour = 2;
    SelectInstrument(e, InstrumentKind::Rect);
    PressAt(e, Left, 3, 3);
    SelectInstrument(e, InstrumentKind::Line);
    PressAt(e, Left, 6, 3);
    EXPECT_EQ(SetPixels(e.Document, 0), (PixelSet{{3, 3}, {4, 3}, {5, 3}, {6, 3}}));
    EXPECT_TRUE(e.Editing.ShapeInProgress);
  }
  {
    SCOPED_TRACE("ellipse start, then a rectangle; the ellipse itself paints nothing");
    Editor e;
    Prepare(e, BlankPicture(1));
    e.Editing.SelectedCharColour = 2;
    SelectInstrument(e, InstrumentKind::Ellipse);
    PressAt(e, Left, 3, 3);
    PressAt(e, Left, 9, 9);
    EXPECT_FALSE(e.Editing.ShapeInProgress);
    EXPECT_EQ(e.Document, BlankPicture(1));
    PressAt(e, Left, 3, 3);
    SelectInstrument(e, InstrumentKind::Rect);
    PressAt(e, Left, 5, 4);
    EXPECT_EQ(SetPixels(e.Document, 0), Outline(3, 3, 5, 4));
  }
}

TEST(RubberBand, ShowsTheShapeInTheSelectedColourAndTheNextMoveWipesIt) {
  for (const InstrumentKind tool : {InstrumentKind::Line, InstrumentKind::Rect, InstrumentKind::Ellipse}) {
    SCOPED_TRACE(static_cast<int>(tool));
    const Picture original = BlankPicture(8);
    Editor e;
    Prepare(e, original);
    Editor clean;
    Prepare(clean, original);
    SelectInstrument(e, tool);
    e.Editing.SelectedCharColour = 2;
    e.Editing.CurrentColours = {0, 4, 0, 0};
    const Rgb pen = MixColours(4, 0);
    EXPECT_EQ(SelectedCharColourRgb(e), pen);

    CanvasMouseDown(e, Left, 100, 100);
    CanvasMouseMove(e, NoButton, 300, 200);
    // Line and rectangle pass through the pointer; the ellipse through the
    // middle of the rectangle's right edge.
    const Point onBand = tool == InstrumentKind::Ellipse ? Point{300, 150} : Point{300, 200};
    EXPECT_EQ(e.Render.EditorImage.At(onBand.X, onBand.Y), pen);
    EXPECT_EQ(e.Document, original);

    CanvasMouseMove(e, Left, 150, 120);
    EXPECT_EQ(e.Render.EditorImage.At(onBand.X, onBand.Y), clean.Render.EditorImage.At(onBand.X, onBand.Y));
    EXPECT_EQ(e.Document, original);

    // With a non-shape tool current the shape waits and draws no band.
    SelectInstrument(e, InstrumentKind::Paint);
    e.Redraw(false);
    CanvasMouseMove(e, NoButton, 400, 300);
    EXPECT_TRUE(e.Editing.ShapeInProgress);
    EXPECT_TRUE(e.Render.EditorImage == clean.Render.EditorImage);
  }
}

TEST(RightPress, PicksTheCellColoursWithEveryTool) {
  const Picture original = chromaloom::test_support::RandomPicture(1, 5);
  for (const InstrumentKind tool : {InstrumentKind::Paint, InstrumentKind::FillChar, InstrumentKind::Line,
                                    InstrumentKind::Rect, InstrumentKind::Ellipse, InstrumentKind::Select}) {
    SCOPED_TRACE(static_cast<int>(tool));
    Editor e;
    Prepare(e, original);
    SelectInstrument(e, tool);
    e.Editing.SelectedCharColour = 1;
    e.Editing.LastPaintedSpot = {4, 5, 6, 7};
    const CanvasFeedback f = PressAt(e, Right, 10, 13);
    const AttrEntry a0 = original.AttrAt(0, 1, 8), a1 = original.AttrAt(1, 1, 8);  // the side cell's entry
    EXPECT_EQ(e.Editing.CurrentColours, (ColourSet{a0.Paper, a0.Ink, a1.Paper, a1.Ink}));
    EXPECT_TRUE(f.ColoursPicked);
    EXPECT_EQ(e.Editing.SelectedCharColour, 1);
    EXPECT_EQ(e.Editing.LastPaintedSpot, (PaintedSpot{4, 5, 6, 7}));
    EXPECT_EQ(e.Document, original);
    EXPECT_EQ(e.UndoSnapshot, Planes{});
    EXPECT_FALSE(e.Editing.ShapeInProgress);
    const bool select = tool == InstrumentKind::Select;
    EXPECT_EQ(e.Selection.Shown, select);
    EXPECT_EQ(e.Selection.Dragging, select);
    if (select) {
      EXPECT_EQ(e.Selection.Left, 1);
      EXPECT_EQ(e.Selection.Top, 13);
      EXPECT_EQ(e.Selection.Width, 1);
      EXPECT_EQ(e.Selection.Height, 1);
    }
    // Moving on with only the right button held just reads out.
    const CanvasFeedback moved = MoveTo(e, Right, 11, 13);
    EXPECT_EQ(e.Document, original);
    EXPECT_EQ(moved.StatusTexts.has_value(), tool == InstrumentKind::Paint || tool == InstrumentKind::FillChar);
  }
}

TEST(PaintTool, ADragPaintsEveryMoveUnderThePressesSnapshot) {
  const Picture original = chromaloom::test_support::RandomPicture(2, 9);
  for (const InstrumentKind tool : {InstrumentKind::Paint, InstrumentKind::FillChar}) {
    Editor e;
    Prepare(e, original);
    SelectInstrument(e, tool);
    e.Editing.SelectedCharColour = 3;
    PressAt(e, Left, 40, 40);
    const CanvasFeedback f = MoveTo(e, Left, 41, 40);
    MoveTo(e, Left, 60, 41);
    ASSERT_TRUE(f.StatusTexts.has_value());
    EXPECT_EQ(*f.StatusTexts, (Texts{"5", "20", "1", "40"}));
    for (const auto& [x, y] : {std::pair{40, 40}, {41, 40}, {60, 41}})
      EXPECT_TRUE(e.Document.GetPixelBit(0, x, y) && e.Document.GetPixelBit(1, x, y)) << x << "," << y;
    EXPECT_EQ(e.Document.Pixels[0].At(7, 40) == 0xFF, tool == InstrumentKind::FillChar);
    EXPECT_EQ(e.UndoSnapshot, PlanesOf(original));
    CanvasMouseUp(e);
    const Picture afterStroke = e.Document;
    MoveTo(e, NoButton, 100, 100);
    EXPECT_EQ(e.Document, afterStroke);
  }
}

struct ReadOutCase {
  int Mode, X, Y;
  Texts Expected;
  int AttrLine;
};

TEST(StatusReadOut, MovesWithoutAButtonShowPositionAndCellPalette) {
  const ReadOutCase cases[] = {
      {4, 13, 9, {"X: 13", "Y: 9", "Ax: 1", "Ay: 2"}, 8},
      {1, 10, 13, {"X: 10", "Y: 13", "Ax: 1", "Ay: 13"}, 8},
      {1, 100, 13, {"X: 100", "Y: 13", "Ax: 12", "Ay: 13"}, 13},
      {8, 255, 191, {"X: 255", "Y: 191", "Ax: 31", "Ay: 23"}, 184},
      {2, 0, 0, {"X: 0", "Y: 0", "Ax: 0", "Ay: 0"}, 0},
  };
  for (const ReadOutCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " at " << c.X << "," << c.Y);
    const Picture original = chromaloom::test_support::RandomPicture(c.Mode, 31u + c.Mode);
    Editor e;
    Prepare(e, original, 3);
    const CanvasFeedback f = MoveTo(e, NoButton, c.X, c.Y);
    ASSERT_TRUE(f.StatusTexts.has_value());
    EXPECT_EQ(*f.StatusTexts, c.Expected);
    const AttrEntry a0 = original.AttrAt(0, c.X / 8, c.AttrLine), a1 = original.AttrAt(1, c.X / 8, c.AttrLine);
    ASSERT_TRUE(f.CellPalette.has_value());
    EXPECT_EQ(*f.CellPalette, (CharPalette{MixColours(a0.Paper, a1.Paper), MixColours(a0.Paper, a1.Ink),
                                           MixColours(a0.Ink, a1.Paper), MixColours(a0.Ink, a1.Ink)}));
    EXPECT_EQ(e.Document, original);

    SelectInstrument(e, InstrumentKind::Line);
    EXPECT_FALSE(MoveTo(e, NoButton, c.X, c.Y).StatusTexts.has_value());
  }
}

TEST(SelectedCharColourRgb, MixesThePairTheEntryNames) {
  Editor e;
  e.Editing.CurrentColours = {1, 4, 9, 14};
  const std::pair<ZxColour, ZxColour> pairs[] = {{1, 9}, {1, 14}, {4, 9}, {4, 14}};
  for (int k = 0; k < 4; ++k) {
    e.Editing.SelectedCharColour = k;
    EXPECT_EQ(SelectedCharColourRgb(e), MixColours(pairs[k].first, pairs[k].second)) << k;
  }
}

TEST(SelectTool, StretchesBetweenAnchorAndPointerInBothDirections) {
  // Cells of 8 x 2 pixels, so 32 x 8 canvas pixels at zoom 1.
  Picture bluish = BlankPicture(2);
  for (auto& a : bluish.Attrs) a.Entries.fill({2, 2});
  Editor e;
  Prepare(e, bluish);
  SelectInstrument(e, InstrumentKind::Select);
  e.Editing.ShapeInProgress = true;
  CanvasMouseDown(e, Left, 10 * 32 + 5, 20 * 8 + 3);
  const CellSelection& s = e.Selection;
  EXPECT_TRUE(s.Shown && s.Dragging);
  EXPECT_EQ(s.AnchorColumn, 10);
  EXPECT_EQ(s.AnchorRow, 20);
  EXPECT_EQ(e.Document, bluish);

  struct Step {
    Point Canvas;
    Rect Cells;  // Left, Top, Width, Height
  };
  const Step steps[] = {
      {{12 * 32, 25 * 8 + 7}, {10, 20, 3, 6}}, {{7 * 32 + 31, 18 * 8}, {7, 18, 4, 3}},
      {{10 * 32, 20 * 8}, {10, 20, 1, 1}},     {{1023, 767}, {10, 20, 22, 76}},
      {{0, 767}, {0, 20, 11, 76}},             {{1023, 0}, {10, 0, 22, 21}},
  };
  for (const Step& step : steps) {
    CanvasMouseMove(e, Left, step.Canvas.X, step.Canvas.Y);
    EXPECT_EQ((Rect{s.Left, s.Top, s.Width, s.Height}), step.Cells)
        << "at " << step.Canvas.X << "," << step.Canvas.Y;
    EXPECT_EQ(s.AnchorColumn, 10);
    EXPECT_EQ(s.AnchorRow, 20);
  }
  EXPECT_EQ(e.Document, bluish);
  EXPECT_TRUE(e.Editing.ShapeInProgress);

  // Each move outlines the rectangle as it stood before that move.
  auto whiteOnRow = [&e](int y, int x0, int w) {
    int n = 0;
    for (int x = x0; x < x0 + w; ++x) n += e.Render.EditorImage.At(x, y) == White;
    return n;
  };
  CanvasMouseMove(e, Left, 12 * 32, 25 * 8);  // outlines the rectangle of the last step
  CanvasMouseMove(e, Left, 7 * 32, 18 * 8);   // outlines (10, 20, 3, 6)
  EXPECT_GT(whiteOnRow(20 * 8, 10 * 32, 3 * 32), 0);
  EXPECT_EQ(whiteOnRow(18 * 8, 7 * 32, 4 * 32), 0);

  CanvasMouseUp(e);
  EXPECT_FALSE(s.Dragging);
  EXPECT_TRUE(s.Shown);
  CanvasMouseMove(e, Left, 0, 0);
  EXPECT_EQ((Rect{s.Left, s.Top, s.Width, s.Height}), (Rect{7, 18, 4, 3}));
}

TEST(CanvasInput, PressesOutsideTheCanvasOrWhileSuspendedDoNothing) {
  const Picture original = chromaloom::test_support::RandomPicture(8, 12);
  for (const bool suspended : {false, true}) {
    for (const InstrumentKind tool : {InstrumentKind::Paint, InstrumentKind::FillChar, InstrumentKind::Line,
                                      InstrumentKind::Rect, InstrumentKind::Select}) {
      SCOPED_TRACE(testing::Message() << "suspended " << suspended << " tool " << static_cast<int>(tool));
      Editor e;
      Prepare(e, original);
      SelectInstrument(e, tool);
      e.Editing.SelectedCharColour = 3;
      e.Editing.CurrentColours = {5, 5, 5, 5};
      e.Editing.LastCanvasPointer = {7, 8};
      e.CanvasInputSuspended = suspended;
      std::vector<Point> points{{-1, 10}, {10, -1}, {1024, 10}, {10, 768}};
      if (suspended) points.insert(points.end(), {{0, 0}, {500, 300}, {1023, 767}});
      for (const Point p : points) {
        for (const MouseButtons b : {Left, Right}) {
          const CanvasFeedback f = CanvasMouseDown(e, b, p.X, p.Y);
          EXPECT_FALSE(f.ColoursPicked);
          EXPECT_FALSE(f.StatusTexts.has_value());
        }
        CanvasMouseMove(e, Left, p.X, p.Y);
      }
      EXPECT_EQ(e.Document, original);
      EXPECT_EQ(e.UndoSnapshot, Planes{});
      EXPECT_EQ(e.Editing.CurrentColours, (ColourSet{5, 5, 5, 5}));
      EXPECT_FALSE(e.Editing.ShapeInProgress);
      EXPECT_FALSE(e.Selection.Shown);
      EXPECT_TRUE(e.Editing.LastPaintedSpot.IsEmpty());
      // A move records the pointer before the canvas test, but not while suspended.
      EXPECT_EQ(e.Editing.LastCanvasPointer, (suspended ? Point{7, 8} : points.back()));
    }
  }
}

TEST(CanvasInput, EveryMoveFeedsTheMagnifierEvenWhileSuspendedOrOutside) {
  const Picture original = chromaloom::test_support::RandomPicture(4, 21);
  for (const bool suspended : {false, true}) {
    SCOPED_TRACE(suspended);
    Editor e;
    Prepare(e, original);
    e.CanvasInputSuspended = suspended;
    struct MoveCase {
      Point Canvas;
      Point PreviewCorner;  // the preview pixel shown at the magnifier's top-left
    };
    const MoveCase moves[] = {
        {{1023, 767}, {336, 208}}, {{0, 0}, {0, 0}}, {{5000, 5000}, {336, 208}},
        {{-40, 400}, {0, 112}},    {{400, 300}, {112, 62}},
    };
    for (const MoveCase& m : moves) {
      e.Render.TakeDamage();
      CanvasMouseMove(e, NoButton, m.Canvas.X, m.Canvas.Y);
      EXPECT_TRUE(e.Render.TakeDamage().Magnifier);
      Raster expected(MagnifierSize, MagnifierSize);
      expected.CopyFrom(e.Render.PreviewImage, {m.PreviewCorner.X, m.PreviewCorner.Y, MagnifierSize, MagnifierSize},
                        0, 0);
      EXPECT_TRUE(e.Render.MagnifierImage == expected) << m.Canvas.X << "," << m.Canvas.Y;
    }
  }
}

}  // namespace
}  // namespace chromaloom
