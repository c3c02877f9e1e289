#include "editing/canvas_tools.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editing/editing_fixture.h"
#include "editing/picture_commands.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using test_support::EditingFixture;
using PixelSet = std::set<std::pair<int, int>>;
using Texts = std::array<std::string, 4>;

constexpr MouseButtons Left{true, false, false};
constexpr MouseButtons Right{false, true, false};
constexpr MouseButtons NoButton{};
constexpr Rgb White = MakeRgb(255, 255, 255);

void Prepare(EditingFixture& fx, const Picture& picture, int zoom = 1) {
  fx.SetPicture(picture);
  fx.Display.SetZoom(zoom);
  fx.Display.Render.Redraw(true);
}

Picture BlankPicture(int mode) {
  Picture p;
  p.CellHeight = static_cast<std::uint8_t>(mode);
  return p;
}

// A canvas point inside picture pixel (px, py), off its top-left corner.
Point CanvasOf(const EditingFixture& fx, int px, int py, int offset = 1) {
  const int z = fx.Display.Scale();
  return {px * z + offset, py * z + offset};
}

CanvasFeedback PressAt(EditingFixture& fx, MouseButtons b, int px, int py) {
  return CanvasMouseDown(fx.Canvas(), b, CanvasOf(fx, px, py));
}

CanvasFeedback MoveTo(EditingFixture& fx, MouseButtons b, int px, int py) {
  return CanvasMouseMove(fx.Canvas(), b, CanvasOf(fx, px, py));
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
  int AttrLine;              // the entry that colours the cell
  int FillFirst, FillCount;  // the bytes FillCell writes
  int CellRow;
};
constexpr SpotCase SpotCases[] = {
    {8, 100, 13, 8, 8, 8, 1},       {8, 20, 5, 0, 0, 8, 0},     {4, 100, 13, 12, 12, 4, 3},
    {4, 255, 191, 188, 188, 4, 47}, {2, 100, 13, 12, 12, 2, 6}, {2, 20, 5, 4, 4, 2, 2},
    {1, 100, 13, 13, 13, 1, 13},    {1, 10, 13, 8, 13, 1, 13},  {1, 250, 190, 184, 190, 1, 190},
};

TEST(PaintPress, FollowsThePaintingRuleInEveryModeEditModeAndEntry) {
  const ColourSet colours{3, 10, 5, 14};
  unsigned seed = 1;
  EditingFixture fresh;
  for (const SpotCase& c : SpotCases) {
    for (const EntryRule& rule : EntryRules) {
      for (const ToolKind tool : {ToolKind::Paint, ToolKind::FillCell}) {
        for (const bool pix : {false, true}) {
          for (const bool rgb : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "mode " << c.Mode << " at " << c.X << "," << c.Y << " entry " << rule.Entry << " tool "
                         << static_cast<int>(tool) << " pix " << pix << " rgb " << rgb);
            const Picture original = chromaloom::test_support::RandomPicture(c.Mode, ++seed);
            EditingFixture fx;
            Prepare(fx, original);
            fx.Colours.CurrentColours = colours;
            fx.Colours.SelectedCharColour = rule.Entry;
            fx.Colours.EditModePix = pix;
            fx.Colours.EditModeRgb = rgb;
            fx.Tools.Current = tool;
            const Pickers pickersBefore = fx.Colours;
            const CanvasFeedback f = CanvasMouseDown(fx.Canvas(), Left, CanvasOf(fx, c.X, c.Y, 3));
            CanvasMouseUp(fx.Tools);
            fx.Present();

            Picture expected = original;
            const int column = c.X / 8;
            if (rgb) {
              expected.SetAttr(0, column, c.AttrLine, colours.PAP0, colours.INK0);
              expected.SetAttr(1, column, c.AttrLine, colours.PAP1, colours.INK1);
            }
            if (tool == ToolKind::Paint && pix) {
              expected.SetPixelBit(0, c.X, c.Y, rule.Bit0);
              expected.SetPixelBit(1, c.X, c.Y, rule.Bit1);
            }
            if (tool == ToolKind::FillCell) {
              for (int l = c.FillFirst; l < c.FillFirst + c.FillCount; ++l) {
                expected.Pixels[0].At(column, l) = rule.Fill0;
                expected.Pixels[1].At(column, l) = rule.Fill1;
              }
            }
            ASSERT_EQ(fx.Doc.Picture(), expected);
            ASSERT_TRUE(f.StatusTexts.has_value());
            EXPECT_EQ(*f.StatusTexts, (Texts{"X: " + std::to_string(c.X), "Y: " + std::to_string(c.Y),
                                             "Ax: " + std::to_string(column), "Ay: " + std::to_string(c.CellRow)}));
            EXPECT_EQ(fx.Colours.LastPaintedSpot, (PaintedSpot{column, c.CellRow, c.X % 8, c.Y}));

            // The rule alone, at the picture pixel, gives the same picture.
            Document alone(original);
            Pickers pickers = pickersBefore;
            Change change(alone, "Pencil");
            EXPECT_TRUE(PaintPixel(change, pickers, tool, {c.X, c.Y}));
            change.Commit();
            ASSERT_EQ(alone.Picture(), expected);

            // The painted cell is on screen as a full render of the result shows it.
            Prepare(fresh, expected);
            ASSERT_TRUE(fx.Display.Render.MixedRaster == fresh.Display.Render.MixedRaster);
            ASSERT_TRUE(fx.Display.Render.EditorImage() == fresh.Display.Render.EditorImage());
            ASSERT_TRUE(fx.Display.Render.PreviewImage == fresh.Display.Render.PreviewImage);
          }
        }
      }
    }
  }
}

TEST(PaintPress, EightByFourPaintOfEntryTwo) {
  EditingFixture fx;
  const Picture& doc = fx.Doc.Picture();
  Prepare(fx, BlankPicture(4));
  fx.EditPicture([](Change& change) { change.SetPixelByte(1, 1, 9, 0xFF); });
  fx.Colours.SelectedCharColour = 2;
  fx.Colours.CurrentColours = {1, 4, 7, 12};
  const CanvasFeedback f = PressAt(fx, Left, 13, 9);
  fx.Present();
  EXPECT_EQ(doc.Pixels[0].At(1, 9), 0x04);
  EXPECT_EQ(doc.Pixels[1].At(1, 9), 0xFF & ~0x04);
  EXPECT_EQ(doc.AttrAt(0, 1, 8), (AttrEntry{1, 4}));
  EXPECT_EQ(doc.AttrAt(1, 1, 8), (AttrEntry{7, 12}));
  EXPECT_EQ(doc.AttrAt(0, 1, 9), AttrEntry{});
  ASSERT_TRUE(f.StatusTexts.has_value());
  EXPECT_EQ(*f.StatusTexts, (Texts{"X: 13", "Y: 9", "Ax: 1", "Ay: 2"}));
  EXPECT_EQ(fx.Display.Render.MixedRaster.At(13, 9), MixColours(4, 7));
}

TEST(PaintPress, ASecondPressOnTheLastSpotPaintsNothingButStillSnapshots) {
  EditingFixture fx;
  const Picture& doc = fx.Doc.Picture();
  Renderer& render = fx.Display.Render;
  Prepare(fx, BlankPicture(1));
  fx.Colours.SelectedCharColour = 3;
  fx.Colours.CurrentColours = {0, 6, 0, 6};
  PressAt(fx, Left, 0, 0);  // the empty spot of start-up never matches
  EXPECT_TRUE(doc.GetPixelBit(0, 0, 0));
  EXPECT_TRUE(doc.GetPixelBit(1, 0, 0));

  PressAt(fx, Left, 20, 30);
  CanvasMouseUp(fx.Tools);
  // Changed behind the tool's back, and not shown: a re-render would show it.
  fx.EditPicture([](Change& change) {
    change.SetPixelBit(0, 20, 30, false);
    change.SetPixelByte(1, 30, 100, 0x5A);
  });
  fx.Doc.TakeTouched();
  render.TakeDamage();
  const Rgb before = render.MixedRaster.At(20, 30);

  PressAt(fx, Right, 20, 30);  // a pick keeps the last spot
  const CanvasFeedback f = CanvasMouseDown(fx.Canvas(), Left, CanvasOf(fx, 20, 30, 3));
  ASSERT_TRUE(f.StatusTexts.has_value());
  EXPECT_EQ(*f.StatusTexts, (Texts{"X: 20", "Y: 30", "Ax: 2", "Ay: 30"}));
  EXPECT_FALSE(doc.GetPixelBit(0, 20, 30));
  fx.Present();
  EXPECT_EQ(render.MixedRaster.At(20, 30), before);
  const Damage d = render.TakeDamage();
  EXPECT_TRUE(d.Editor.empty());
  EXPECT_FALSE(d.Preview);
  EXPECT_EQ(fx.Doc.ChangeStart(), PlanesOf(doc));

  PressAt(fx, Left, 21, 30);
  EXPECT_TRUE(doc.GetPixelBit(0, 21, 30));
}

TEST(PaintPress, PointsOffThePictureChangeNothing) {
  EditingFixture fx;
  Prepare(fx, BlankPicture(8));
  fx.Colours.SelectedCharColour = 3;
  fx.Colours.CurrentColours = {5, 5, 5, 5};
  const int z = fx.Display.Scale();
  for (const Point p : {Point{-1, 0}, Point{0, -1}, Point{1024, 5}, Point{5, 768}, Point{-100000, 99999}}) {
    EXPECT_FALSE(CanvasMouseDown(fx.Canvas(), Left, p).StatusTexts.has_value());
    const Point pixel{FloorDiv(p.X, z), FloorDiv(p.Y, z)};
    Change change(fx.Doc, "Fill Char");
    EXPECT_FALSE(PaintPixel(change, fx.Colours, ToolKind::FillCell, pixel));
    change.Commit();
    PickCellColours(fx.Doc.Picture(), fx.Colours, pixel);
  }
  EXPECT_EQ(fx.Doc.Picture(), BlankPicture(8));
  EXPECT_EQ(fx.Doc.UndoName(), "");
  EXPECT_TRUE(fx.Colours.LastPaintedSpot.IsEmpty());
  EXPECT_EQ(fx.Colours.CurrentColours, (ColourSet{5, 5, 5, 5}));
  // A damaged mode byte: nothing divides by it.
  Picture damaged = BlankPicture(8);
  damaged.CellHeight = 0;
  fx.SetPicture(damaged);
  Change change(fx.Doc, "Pencil");
  EXPECT_FALSE(PaintPixel(change, fx.Colours, ToolKind::Paint, {2, 2}));
  change.Commit();
  EXPECT_FALSE(CanvasMouseDown(fx.Canvas(), Left, {10, 10}).StatusTexts.has_value());
  EXPECT_FALSE(CanvasMouseMove(fx.Canvas(), NoButton, {10, 10}).StatusTexts.has_value());
  PickCellColours(fx.Doc.Picture(), fx.Colours, {2, 2});
  EXPECT_EQ(fx.Colours.CurrentColours, (ColourSet{5, 5, 5, 5}));
  EXPECT_EQ(fx.Doc.Picture(), damaged);
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
    EditingFixture fx;
    Prepare(fx, BlankPicture(2), 2);
    fx.Tools.Current = ToolKind::Line;
    fx.Colours.SelectedCharColour = 2;
    CanvasMouseDown(fx.Canvas(), Left, CanvasOf(fx, c.From.X, c.From.Y, 7));
    CanvasMouseDown(fx.Canvas(), Left, CanvasOf(fx, c.To.X, c.To.Y, 0));
    EXPECT_EQ(SetPixels(fx.Doc.Picture(), 0), c.Pixels);
    EXPECT_TRUE(SetPixels(fx.Doc.Picture(), 1).empty());
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

TEST(RectTool, TwoPressesPaintTheOutlineAsOneStep) {
  const LineCase cases[] = {
      {{1, 1}, {4, 3}, Outline(1, 1, 4, 3)},
      {{4, 3}, {1, 1}, Outline(1, 1, 4, 3)},
      {{200, 10}, {60, 150}, Outline(60, 10, 200, 150)},
      {{9, 9}, {9, 9}, {{9, 9}}},
      {{0, 191}, {255, 191}, Outline(0, 191, 255, 191)},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.From.X << "," << c.From.Y << " -> " << c.To.X << "," << c.To.Y);
    EditingFixture fx;
    Prepare(fx, BlankPicture(8));
    fx.Tools.Current = ToolKind::Rect;
    fx.Colours.SelectedCharColour = 1;
    PressAt(fx, Left, c.From.X, c.From.Y);
    EXPECT_TRUE(fx.Tools.ShapeInProgress);
    EXPECT_EQ(fx.Doc.Picture(), BlankPicture(8));
    PressAt(fx, Left, c.To.X, c.To.Y);
    EXPECT_FALSE(fx.Tools.ShapeInProgress);
    EXPECT_EQ(SetPixels(fx.Doc.Picture(), 1), c.Pixels);
    EXPECT_EQ(fx.Doc.UndoName(), "Rectangle");
    ASSERT_TRUE(fx.Doc.Undo());
    EXPECT_EQ(fx.Doc.Picture(), BlankPicture(8));
  }
}

TEST(LineTool, APolylineTakesOneSnapshotAndOneUndoRemovesIt) {
  const Picture original = chromaloom::test_support::RandomPicture(4, 77);
  EditingFixture fx;
  Prepare(fx, original);
  fx.Tools.Current = ToolKind::Line;
  fx.Colours.SelectedCharColour = 3;
  fx.Colours.CurrentColours = {1, 2, 3, 4};
  PressAt(fx, Left, 10, 10);
  EXPECT_EQ(fx.Doc.Picture(), original);  // the first press only sets the start
  PressAt(fx, Left, 20, 15);
  PressAt(fx, Left, 20, 40);
  EXPECT_TRUE(fx.Tools.ShapeInProgress);
  EXPECT_EQ(fx.Tools.ShapeStart, CanvasOf(fx, 20, 40));
  for (const auto& [x, y] : {std::pair{10, 10}, {15, 13}, {20, 15}, {20, 30}, {20, 40}}) {
    EXPECT_TRUE(fx.Doc.Picture().GetPixelBit(0, x, y) && fx.Doc.Picture().GetPixelBit(1, x, y)) << x << "," << y;
    EXPECT_EQ(fx.Doc.Picture().CellAttr(1, x, y), (AttrEntry{3, 4}));
  }
  EXPECT_EQ(fx.Doc.ChangeStart(), PlanesOf(original));
  const Picture drawn = fx.Doc.Picture();
  EXPECT_TRUE(fx.Doc.Undo());
  EXPECT_FALSE(fx.Doc.Undo());
  EXPECT_EQ(fx.Doc.Picture(), original);
  EXPECT_TRUE(fx.Doc.Redo());
  EXPECT_EQ(fx.Doc.Picture(), drawn);
}

TEST(ShapeTools, AStartPointIsSharedByWhicheverShapeToolIsCurrent) {
  {
    SCOPED_TRACE("line start, then a rectangle");
    EditingFixture fx;
    Prepare(fx, BlankPicture(1));
    fx.Colours.SelectedCharColour = 2;
    fx.Tools.Current = ToolKind::Line;
    PressAt(fx, Left, 30, 40);
    fx.Tools.Current = ToolKind::Rect;
    EXPECT_TRUE(fx.Tools.ShapeInProgress);
    PressAt(fx, Left, 35, 44);
    EXPECT_EQ(SetPixels(fx.Doc.Picture(), 0), Outline(30, 40, 35, 44));
    EXPECT_FALSE(fx.Tools.ShapeInProgress);
  }
  {
    SCOPED_TRACE("rectangle start, then a line");
    EditingFixture fx;
    Prepare(fx, BlankPicture(1));
    fx.Colours.SelectedCharColour = 2;
    fx.Tools.Current = ToolKind::Rect;
    PressAt(fx, Left, 3, 3);
    fx.Tools.Current = ToolKind::Line;
    PressAt(fx, Left, 6, 3);
    EXPECT_EQ(SetPixels(fx.Doc.Picture(), 0), (PixelSet{{3, 3}, {4, 3}, {5, 3}, {6, 3}}));
    EXPECT_TRUE(fx.Tools.ShapeInProgress);
  }
  {
    SCOPED_TRACE("ellipse start, then a rectangle");
    EditingFixture fx;
    Prepare(fx, BlankPicture(1));
    fx.Colours.SelectedCharColour = 2;
    fx.Tools.Current = ToolKind::Ellipse;
    PressAt(fx, Left, 3, 3);
    PressAt(fx, Left, 9, 9);
    EXPECT_FALSE(fx.Tools.ShapeInProgress);
    fx.Doc.Undo();
    PressAt(fx, Left, 3, 3);
    fx.Tools.Current = ToolKind::Rect;
    PressAt(fx, Left, 5, 4);
    EXPECT_EQ(SetPixels(fx.Doc.Picture(), 0), Outline(3, 3, 5, 4));
  }
}

TEST(RubberBand, ShowsTheShapeInTheSelectedColourAndTheNextMoveWipesIt) {
  for (const ToolKind tool : {ToolKind::Line, ToolKind::Rect, ToolKind::Ellipse}) {
    SCOPED_TRACE(static_cast<int>(tool));
    const Picture original = BlankPicture(8);
    EditingFixture fx;
    Prepare(fx, original);
    EditingFixture clean;
    Prepare(clean, original);
    fx.Tools.Current = tool;
    fx.Colours.SelectedCharColour = 2;
    fx.Colours.CurrentColours = {0, 4, 0, 0};
    const Rgb pen = MixColours(4, 0);
    EXPECT_EQ(SelectedCharColourRgb(fx.Colours), pen);

    CanvasMouseDown(fx.Canvas(), Left, {100, 100});
    CanvasMouseMove(fx.Canvas(), NoButton, {300, 200});
    fx.Present();
    // Line and rectangle pass through the pointer; the ellipse through the
    // middle of the rectangle's right edge.
    const Point onBand = tool == ToolKind::Ellipse ? Point{300, 150} : Point{300, 200};
    EXPECT_EQ(fx.Display.Render.EditorImage().At(onBand.X, onBand.Y), pen);
    EXPECT_EQ(fx.Doc.Picture(), original);

    CanvasMouseMove(fx.Canvas(), Left, {150, 120});
    fx.Present();
    EXPECT_EQ(fx.Display.Render.EditorImage().At(onBand.X, onBand.Y),
              clean.Display.Render.EditorImage().At(onBand.X, onBand.Y));
    EXPECT_EQ(fx.Doc.Picture(), original);

    // With a non-shape tool current the shape waits and draws no band.
    fx.Tools.Current = ToolKind::Paint;
    fx.Display.Render.Redraw(false);
    CanvasMouseMove(fx.Canvas(), NoButton, {400, 300});
    fx.Present();
    EXPECT_TRUE(fx.Tools.ShapeInProgress);
    EXPECT_TRUE(fx.Display.Render.EditorImage() == clean.Display.Render.EditorImage());
  }
}

// How many pixels of the colour run through (x, y) along a row or a column.
int RunThrough(const Raster& image, int x, int y, bool alongColumn, Rgb colour) {
  int run = 0;
  for (int step : {-1, 1})
    for (int i = step > 0 ? 0 : -1;; i += step) {
      const int px = alongColumn ? x : x + i, py = alongColumn ? y + i : y;
      if (!image.Contains(px, py) || image.At(px, py) != colour) break;
      ++run;
    }
  return run;
}

TEST(RubberBand, PenIsAsWideAsOnePicturePixel) {
  for (int zoom = 1; zoom <= 4; ++zoom) {
    EditingFixture fx;
    Prepare(fx, BlankPicture(8), zoom);
    fx.Tools.Current = ToolKind::Line;
    fx.Colours.CurrentColours = {4, 0, 4, 0};
    const Rgb pen = SelectedCharColourRgb(fx.Colours);
    const int z = fx.Display.Scale();
    CanvasMouseDown(fx.Canvas(), Left, {100, 101});
    CanvasMouseMove(fx.Canvas(), NoButton, {700, 101});  // across
    fx.Present();
    EXPECT_EQ(RunThrough(fx.Display.Render.EditorImage(), 400, 101, true, pen), z) << "zoom " << zoom;
    CanvasMouseMove(fx.Canvas(), NoButton, {100, 600});  // down
    fx.Present();
    EXPECT_EQ(RunThrough(fx.Display.Render.EditorImage(), 100, 400, false, pen), z) << "zoom " << zoom;
  }
}

TEST(RightPress, PicksTheCellColoursWithEveryTool) {
  const Picture original = chromaloom::test_support::RandomPicture(1, 5);
  for (const ToolKind tool :
       {ToolKind::Paint, ToolKind::FillCell, ToolKind::Line, ToolKind::Rect, ToolKind::Ellipse, ToolKind::Select}) {
    SCOPED_TRACE(static_cast<int>(tool));
    EditingFixture fx;
    Prepare(fx, original);
    fx.Tools.Current = tool;
    fx.Colours.SelectedCharColour = 1;
    fx.Colours.LastPaintedSpot = {4, 5, 6, 7};
    const CanvasFeedback f = PressAt(fx, Right, 10, 13);
    const AttrEntry a0 = original.AttrAt(0, 1, 8), a1 = original.AttrAt(1, 1, 8);  // the side cell's entry
    EXPECT_EQ(fx.Colours.CurrentColours, (ColourSet{a0.Paper, a0.Ink, a1.Paper, a1.Ink}));
    EXPECT_TRUE(f.ColoursPicked);
    EXPECT_EQ(fx.Colours.SelectedCharColour, 1);
    EXPECT_EQ(fx.Colours.LastPaintedSpot, (PaintedSpot{4, 5, 6, 7}));
    EXPECT_EQ(fx.Doc.Picture(), original);
    EXPECT_EQ(fx.Doc.UndoName(), "");  // no step taken
    EXPECT_FALSE(fx.Tools.ShapeInProgress);
    const bool select = tool == ToolKind::Select;
    EXPECT_EQ(fx.Tools.Selection.Shown, select);
    EXPECT_EQ(fx.Tools.Selection.Dragging, select);
    if (select) {
      EXPECT_EQ(fx.Tools.Selection.Left, 1);
      EXPECT_EQ(fx.Tools.Selection.Top, 13);
      EXPECT_EQ(fx.Tools.Selection.Width, 1);
      EXPECT_EQ(fx.Tools.Selection.Height, 1);
    }
    // Moving on with only the right button held just reads out.
    const CanvasFeedback moved = MoveTo(fx, Right, 11, 13);
    EXPECT_EQ(fx.Doc.Picture(), original);
    EXPECT_TRUE(moved.StatusTexts.has_value());
  }
}

TEST(PaintTool, ADragPaintsEveryMoveUnderThePressesSnapshot) {
  const Picture original = chromaloom::test_support::RandomPicture(2, 9);
  for (const ToolKind tool : {ToolKind::Paint, ToolKind::FillCell}) {
    EditingFixture fx;
    Prepare(fx, original);
    fx.Tools.Current = tool;
    fx.Colours.SelectedCharColour = 3;
    PressAt(fx, Left, 40, 40);
    const CanvasFeedback f = MoveTo(fx, Left, 41, 40);
    MoveTo(fx, Left, 60, 41);
    ASSERT_TRUE(f.StatusTexts.has_value());
    EXPECT_EQ(*f.StatusTexts, (Texts{"X: 41", "Y: 40", "Ax: 5", "Ay: 20"}));
    for (const auto& [x, y] : {std::pair{40, 40}, {41, 40}, {60, 41}})
      EXPECT_TRUE(fx.Doc.Picture().GetPixelBit(0, x, y) && fx.Doc.Picture().GetPixelBit(1, x, y)) << x << "," << y;
    EXPECT_EQ(fx.Doc.Picture().Pixels[0].At(7, 40) == 0xFF, tool == ToolKind::FillCell);
    EXPECT_EQ(fx.Doc.ChangeStart(), PlanesOf(original));
    CanvasMouseUp(fx.Tools);
    const Picture afterStroke = fx.Doc.Picture();
    MoveTo(fx, NoButton, 100, 100);
    EXPECT_EQ(fx.Doc.Picture(), afterStroke);
  }
}

// Undo in the middle of a drag takes back the stroke so far; the rest of
// the drag paints nothing, and redo brings the stroke back.
TEST(PaintTool, UndoDuringAStrokeTakesItBackAndEndsIt) {
  EditingFixture fx;
  Prepare(fx, BlankPicture(8));
  fx.Colours.SelectedCharColour = 3;
  PressAt(fx, Left, 10, 10);
  MoveTo(fx, Left, 20, 10);
  const Picture stroke = fx.Doc.Picture();
  ASSERT_TRUE(fx.Doc.Undo());
  MoveTo(fx, Left, 30, 10);
  CanvasMouseUp(fx.Tools);
  EXPECT_EQ(fx.Doc.Picture(), BlankPicture(8));
  ASSERT_TRUE(fx.Doc.Redo());
  EXPECT_EQ(fx.Doc.Picture(), stroke);
}

struct ReadOutCase {
  int Mode, X, Y;
  Texts Expected;
  int AttrLine;
};

TEST(StatusReadOut, EveryMoveShowsPositionAndCellPalette) {
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
    EditingFixture fx;
    Prepare(fx, original, 3);
    const CanvasFeedback f = MoveTo(fx, NoButton, c.X, c.Y);
    ASSERT_TRUE(f.StatusTexts.has_value());
    EXPECT_EQ(*f.StatusTexts, c.Expected);
    const AttrEntry a0 = original.AttrAt(0, c.X / 8, c.AttrLine), a1 = original.AttrAt(1, c.X / 8, c.AttrLine);
    ASSERT_TRUE(f.CellPalette.has_value());
    EXPECT_EQ(*f.CellPalette, (CharPalette{MixColours(a0.Paper, a1.Paper), MixColours(a0.Paper, a1.Ink),
                                           MixColours(a0.Ink, a1.Paper), MixColours(a0.Ink, a1.Ink)}));
    EXPECT_EQ(fx.Doc.Picture(), original);

    // Every tool reads out, a button held or not.
    for (const ToolKind tool : {ToolKind::Line, ToolKind::Rect, ToolKind::Select}) {
      fx.Tools.Current = tool;
      EXPECT_EQ(MoveTo(fx, NoButton, c.X, c.Y).StatusTexts, c.Expected);
      EXPECT_EQ(MoveTo(fx, Left, c.X, c.Y).StatusTexts, c.Expected);
    }
  }
}

TEST(SelectedCharColourRgb, MixesThePairTheEntryNames) {
  Pickers pickers;
  pickers.CurrentColours = {1, 4, 9, 14};
  const std::pair<ZxColour, ZxColour> pairs[] = {{1, 9}, {1, 14}, {4, 9}, {4, 14}};
  for (int k = 0; k < 4; ++k) {
    pickers.SelectedCharColour = k;
    EXPECT_EQ(SelectedCharColourRgb(pickers), MixColours(pairs[k].first, pairs[k].second)) << k;
  }
}

TEST(SelectTool, StretchesBetweenAnchorAndPointerInBothDirections) {
  // Cells of 8 x 2 pixels, so 32 x 8 canvas pixels at zoom 1.
  Picture bluish = BlankPicture(2);
  for (auto& a : bluish.Attrs) a.Entries.fill({2, 2});
  EditingFixture fx;
  Prepare(fx, bluish);
  fx.Tools.Current = ToolKind::Select;
  fx.Tools.ShapeInProgress = true;
  CanvasMouseDown(fx.Canvas(), Left, {10 * 32 + 5, 20 * 8 + 3});
  const CellSelection& s = fx.Tools.Selection;
  EXPECT_TRUE(s.Shown && s.Dragging);
  EXPECT_EQ(s.AnchorColumn, 10);
  EXPECT_EQ(s.AnchorRow, 20);
  EXPECT_EQ(fx.Doc.Picture(), bluish);

  struct Step {
    Point Canvas;
    Rect Cells;  // Left, Top, Width, Height
  };
  const Step steps[] = {
      {{12 * 32, 25 * 8 + 7}, {10, 20, 3, 6}},
      {{7 * 32 + 31, 18 * 8}, {7, 18, 4, 3}},
      {{10 * 32, 20 * 8}, {10, 20, 1, 1}},
      {{1023, 767}, {10, 20, 22, 76}},
      {{0, 767}, {0, 20, 11, 76}},
      {{1023, 0}, {10, 0, 22, 21}},
  };
  for (const Step& step : steps) {
    CanvasMouseMove(fx.Canvas(), Left, step.Canvas);
    EXPECT_EQ((Rect{s.Left, s.Top, s.Width, s.Height}), step.Cells) << "at " << step.Canvas.X << "," << step.Canvas.Y;
    EXPECT_EQ(s.AnchorColumn, 10);
    EXPECT_EQ(s.AnchorRow, 20);
  }
  EXPECT_EQ(fx.Doc.Picture(), bluish);
  EXPECT_TRUE(fx.Tools.ShapeInProgress);

  // The outline shows the rectangle as it stands after the last move.
  auto whiteOnRow = [&fx](int y, int x0, int w) {
    int n = 0;
    for (int x = x0; x < x0 + w; ++x) n += fx.Display.Render.EditorImage().At(x, y) == White;
    return n;
  };
  CanvasMouseMove(fx.Canvas(), Left, {12 * 32, 25 * 8});  // (10, 20, 3, 6)
  fx.Present();
  EXPECT_GT(whiteOnRow(26 * 8 - 1, 10 * 32, 3 * 32), 0);
  CanvasMouseMove(fx.Canvas(), Left, {7 * 32, 18 * 8});  // (7, 18, 4, 3)
  fx.Present();
  EXPECT_GT(whiteOnRow(18 * 8, 7 * 32, 4 * 32), 0);
  EXPECT_EQ(whiteOnRow(26 * 8 - 1, 10 * 32, 3 * 32), 0);

  CanvasMouseUp(fx.Tools);
  EXPECT_FALSE(s.Dragging);
  EXPECT_TRUE(s.Shown);
  CanvasMouseMove(fx.Canvas(), Left, {0, 0});
  EXPECT_EQ((Rect{s.Left, s.Top, s.Width, s.Height}), (Rect{7, 18, 4, 3}));
}

TEST(CanvasInput, PressesOutsideTheCanvasAndDragsWithoutAPressDoNothing) {
  const Picture original = chromaloom::test_support::RandomPicture(8, 12);
  for (const ToolKind tool : {ToolKind::Paint, ToolKind::FillCell, ToolKind::Line, ToolKind::Rect, ToolKind::Select}) {
    SCOPED_TRACE(testing::Message() << "tool " << static_cast<int>(tool));
    EditingFixture fx;
    Prepare(fx, original);
    fx.Tools.Current = tool;
    fx.Colours.SelectedCharColour = 3;
    fx.Colours.CurrentColours = {5, 5, 5, 5};
    const Point outside[] = {{-1, 10}, {10, -1}, {1024, 10}, {10, 768}};
    for (const Point p : outside) {
      for (const MouseButtons b : {Left, Right}) {
        const CanvasFeedback f = CanvasMouseDown(fx.Canvas(), b, p);
        EXPECT_FALSE(f.ColoursPicked);
        EXPECT_FALSE(f.StatusTexts.has_value());
      }
    }
    // The button is held as the pointer comes onto the canvas and crosses it.
    for (const Point p : {Point{0, 0}, Point{500, 300}, Point{1023, 767}, Point{10, 768}}) {
      CanvasMouseMove(fx.Canvas(), Left, p);
      EXPECT_EQ(fx.Tools.LastPointer, (Point{FloorDiv(p.X, 4), FloorDiv(p.Y, 4)}));
    }
    CanvasMouseUp(fx.Tools);
    EXPECT_EQ(fx.Doc.Picture(), original);
    EXPECT_EQ(fx.Doc.UndoName(), "");  // no step taken
    EXPECT_EQ(fx.Colours.CurrentColours, (ColourSet{5, 5, 5, 5}));
    EXPECT_FALSE(fx.Tools.ShapeInProgress);
    EXPECT_FALSE(fx.Tools.Selection.Shown);
    EXPECT_TRUE(fx.Colours.LastPaintedSpot.IsEmpty());
  }
}

TEST(SelectionOverlay, MarchesTheOutlineWithTheAntsPhase) {
  EditingFixture fx(BlankPicture(4));
  Renderer& render = fx.Display.Render;
  fx.Display.SetZoom(2);
  render.Redraw(true);
  const Raster plain = render.EditorImage();
  fx.Display.AdvanceAnts();
  fx.Present();
  EXPECT_TRUE(render.EditorImage() == plain) << "no selection, no outline";

  CellSelection& s = fx.Tools.Selection;
  s = {.Shown = true, .Left = 2, .Top = 3, .Width = 4, .Height = 2};
  EXPECT_EQ(SelectionOnEditor(s, fx.Display.Scale(), fx.Doc.CellHeight()), (Rect{2 * 64, 3 * 32, 4 * 64, 2 * 32}));
  std::vector<Raster> frames;
  for (int tick = 0; tick < 4; ++tick) {
    fx.Display.AdvanceAnts();
    fx.Present();
    frames.push_back(render.EditorImage());
  }
  EXPECT_EQ(fx.Display.AntsPhase(), 4);
  EXPECT_EQ(frames[0].At(2 * 64 + 9, 3 * 32), White);  // a white dash on the top edge
  EXPECT_EQ(frames[0].At(2 * 64 + 9, 3 * 32 + 1), plain.At(2 * 64 + 9, 3 * 32 + 1));
  EXPECT_FALSE(frames[0] == frames[1]);
  EXPECT_FALSE(frames[0] == frames[3]);
  // After four ticks the outline is back where it was.
  fx.Display.AdvanceAnts();
  fx.Present();
  EXPECT_TRUE(render.EditorImage() == frames[0]);
  // Hiding the selection leaves the plain picture.
  s.Shown = false;
  fx.Present();
  EXPECT_TRUE(render.EditorImage() == plain);
}

}  // namespace
}  // namespace chromaloom
