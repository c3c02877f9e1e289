#include "editing/clipboard.h"

#include <gtest/gtest.h>

#include "editing/selection_test_support.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using namespace chromaloom::test_support;

// Somewhere inside the cell, not on its corner, so rounding matters.
void PointAtCell(EditingFixture& fx, int col, int row) {
  const int h = fx.Doc.CellHeight();
  fx.Tools.LastPointer = {col * 8 + 3, row * h + h / 2};
}

void Copy(EditingFixture& fx, bool pointerOverPicture) {
  CopySelection(fx.Doc, fx.Tools, fx.Clipboard, pointerOverPicture);
}

// A paste floated at the cell under the pointer and placed there.
void Paste(EditingFixture& fx) {
  if (BeginFloatingPaste(fx.Tools, fx.Clipboard, CellUnderPointer(fx.Tools, fx.Doc.CellHeight())))
    PlaceFloatingPaste(fx.Doc, fx.Tools);
  fx.Present();
}

TEST(Paste, CopiesTheCopyTimeRectangleClippedToThePicture) {
  struct Case {
    const char* name;
    int copyMode, pasteMode;
    int left, top, width, height;  // copied rectangle, cells of copyMode
    int toCol, toRow;              // cell under the pointer, cells of pasteMode
    unsigned pasteSeed;            // 1: pasted onto the copied picture itself
    Box written;
  };
  const Case cases[] = {
      {"overlapping its source one cell right", 8, 8, 3, 4, 3, 2, 4, 4, 1, {4, 6, 32, 47}},
      {"drawn over after the copy", 8, 8, 3, 4, 3, 2, 4, 4, 2, {4, 6, 32, 47}},
      {"3x2 at (30, 46) in 8x4", 4, 4, 5, 10, 3, 2, 30, 46, 2, {30, 31, 184, 191}},
      {"bottom-right corner in 8x1", 1, 1, 0, 0, 4, 4, 30, 190, 2, {30, 31, 190, 191}},
      {"pointer left of and above the canvas", 2, 2, 10, 20, 3, 3, -1, -2, 2, {0, 1, 0, 1}},
      {"8x1 rows read past line 191 in 8x8", 1, 8, 2, 20, 2, 10, 5, 1, 2, {5, 6, 8, 39}},
      {"8x1 rows wholly past line 191 in 8x8", 1, 8, 2, 180, 2, 10, 0, 0, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture copied = RandomPicture(c.copyMode, 1);
    const Picture pastedOnto = RandomPicture(c.pasteMode, c.pasteSeed);
    EditingFixture fx(copied);
    const Picture& doc = fx.Doc.Picture();
    SetRectangle(fx.Tools.Selection, c.left, c.top, c.width, c.height);
    fx.Tools.Selection.Shown = true;
    Copy(fx, true);
    const CellSelection selection = fx.Tools.Selection;
    fx.SetPicture(pastedOnto);
    fx.Display.Render.Redraw(true);
    PointAtCell(fx, c.toCol, c.toRow);
    Paste(fx);

    EXPECT_EQ(ChangesOutside(doc, pastedOnto, c.written), 0);
    // Inside, each place holds the copy-time content of its source place.
    const int h = c.pasteMode, dCol = c.toCol - c.left, dLine = (c.toRow - c.top) * h;
    int wrong = 0;
    for (int col = c.written.FirstCol; col <= c.written.LastCol; ++col)
      for (int line = c.written.FirstLine; line <= c.written.LastLine; ++line)
        for (int s = 0; s < 2; ++s)
          if (doc.Pixels[s].At(col, line) != copied.Pixels[s].At(col - dCol, line - dLine) ||
              !(doc.Attrs[s].At(col, line) == copied.Attrs[s].At(col - dCol, line - dLine)))
            ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(ShowsItsPicture(fx));
    EXPECT_EQ(fx.Tools.Selection.Left, selection.Left);
    EXPECT_EQ(fx.Tools.Selection.Width, selection.Width);
    // One step, from the picture pasted onto.
    fx.Doc.Undo();
    EXPECT_EQ(fx.Doc.Picture(), pastedOnto);
  }
}

TEST(Paste, WithNothingToPasteChangesNothing) {
  struct Case {
    const char* name;
    bool copyFirst, cancelled;
  };
  const Case cases[] = {{"before any copy", false, false}, {"float cancelled", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditingFixture fx(RandomPicture(4, 3));
    SetRectangle(fx.Tools.Selection, 1, 1, 5, 5);
    if (c.copyFirst) Copy(fx, false);
    fx.SetPicture(RandomPicture(4, 4));  // not rendered yet
    const Picture before = fx.Doc.Picture();
    PointAtCell(fx, 0, 0);
    EXPECT_EQ(BeginFloatingPaste(fx.Tools, fx.Clipboard, {0, 0}), c.copyFirst);
    if (c.cancelled) CancelFloatingPaste(fx.Tools);
    PlaceFloatingPaste(fx.Doc, fx.Tools);
    fx.Present();
    EXPECT_EQ(fx.Doc.Picture(), before);
    EXPECT_EQ(fx.Doc.UndoName(), "");   // no step taken
    EXPECT_FALSE(ShowsItsPicture(fx));  // nothing to render again
  }
}

TEST(FloatingPaste, ShowsWhatPlacingWillShowAndChangesNothingBefore) {
  struct Case {
    const char* name;
    int copyMode, pasteMode;
    int left, top, width, height;  // copied rectangle, cells of copyMode
    Point cell;                    // where it floats, cells of pasteMode
    Rect area;                     // the picture pixels it covers
  };
  const Case cases[] = {
      {"8x4 inside", 4, 4, 3, 5, 4, 3, {10, 20}, {80, 80, 32, 12}},
      {"8x1 into the side columns", 1, 1, 10, 50, 4, 6, {5, 100}, {40, 100, 32, 6}},
      {"past the right and bottom edges", 8, 8, 0, 0, 5, 4, {29, 22}, {232, 176, 24, 16}},
      {"left of and above the picture", 2, 2, 4, 4, 3, 3, {-1, -2}, {0, 0, 16, 2}},
      {"8x1 rows past line 191 in 8x8", 1, 8, 2, 20, 2, 10, {5, 1}, {40, 8, 16, 80}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture pastedOnto = RandomPicture(c.pasteMode, 12);
    EditingFixture fx(RandomPicture(c.copyMode, 11));
    fx.Display.SetMixing(LinearMixing());
    SetRectangle(fx.Tools.Selection, c.left, c.top, c.width, c.height);
    fx.Tools.Selection.Shown = true;
    Copy(fx, true);
    fx.Tools.Selection.Shown = false;
    fx.SetPicture(pastedOnto);
    fx.Display.Render.Redraw(true);
    const Raster clean = fx.Display.Render.EditorImage();
    ASSERT_TRUE(BeginFloatingPaste(fx.Tools, fx.Clipboard, c.cell));
    fx.Present();
    const FloatingPreview preview = PreviewFloatingPaste(fx.Doc.Picture(), fx.Tools, fx.Display.Mixing());
    EXPECT_EQ(preview.Area, c.area);
    EXPECT_EQ(fx.Doc.Picture(), pastedOnto);
    EXPECT_FALSE(fx.Display.Render.EditorImage() == clean);
    // Placed, the canvas mixes those pixels exactly as the float showed them.
    PlaceFloatingPaste(fx.Doc, fx.Tools);
    fx.Present();
    EXPECT_EQ(fx.Doc.UndoName(), "Paste");
    Raster placed(c.area.W, c.area.H);
    placed.CopyFrom(fx.Display.Render.MixedRaster, c.area, 0, 0);
    EXPECT_TRUE(preview.Pixels == placed);
  }
}

TEST(Copy, TakesTheSelectionOrMakesOneCellAtThePointer) {
  struct Case {
    const char* name;
    bool shown, pointerOverPicture;
    int zoom, mode;
    Point pointer;
    int left, top, width, height;  // expected clipboard rectangle
    bool shownAfter;
  };
  const Case cases[] = {
      {"shown selection", true, true, 1, 8, {500, 500}, 2, 3, 4, 5, true},
      {"none shown, over the picture", false, true, 2, 4, {200, 70}, 3, 2, 1, 1, true},
      {"none shown, pointer left of and above the canvas", false, true, 1, 8, {-1, -40}, -1, -2, 1, 1, true},
      {"hidden rectangle, pointer away", false, false, 3, 1, {20, 20}, 2, 3, 4, 5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditingFixture fx(RandomPicture(c.mode, 5));
    fx.Display.SetZoom(c.zoom);
    CellSelection& s = fx.Tools.Selection;
    SetRectangle(s, 2, 3, 4, 5);
    s.Shown = c.shown;
    const int z = fx.Display.Scale();
    fx.Tools.LastPointer = {FloorDiv(c.pointer.X, z), FloorDiv(c.pointer.Y, z)};
    Copy(fx, c.pointerOverPicture);
    const PictureClipboard& clip = fx.Clipboard;
    EXPECT_EQ(clip.Planes, PlanesOf(fx.Doc.Picture()));
    EXPECT_EQ(clip.SourceLeft, c.left);
    EXPECT_EQ(clip.SourceTop, c.top);
    EXPECT_EQ(clip.SourceWidth, c.width);
    EXPECT_EQ(clip.SourceHeight, c.height);
    EXPECT_EQ(s.Shown, c.shownAfter);
    EXPECT_EQ(s.Left, c.left);
    EXPECT_EQ(s.Top, c.top);
    EXPECT_EQ(fx.Doc.UndoName(), "");  // no step taken
    if (!c.shown && c.pointerOverPicture) {
      EXPECT_TRUE(s.Dragging);
      EXPECT_EQ(s.AnchorColumn, c.left);
      EXPECT_EQ(s.AnchorRow, c.top);
    }
  }
}

TEST(Clipboard, RemoveHidesTheOutlineButKeepsTheRectangle) {
  EditingFixture fx;
  Renderer& render = fx.Display.Render;
  render.Redraw(true);
  const Raster clean = render.EditorImage();
  CellSelection& s = fx.Tools.Selection;
  SetRectangle(s, 3, 4, 2, 2);
  s.Shown = true;
  fx.Present();
  ASSERT_FALSE(render.EditorImage() == clean);
  RemoveSelection(s);
  fx.Present();
  EXPECT_FALSE(s.Shown);
  EXPECT_EQ(s.Left, 3);
  EXPECT_EQ(s.Height, 2);
  EXPECT_TRUE(render.EditorImage() == clean);
}

TEST(Delete, FillsTheShownCellsWithTheCurrentColours) {
  struct Case {
    int selectedCharColour;
    std::uint8_t byte0, byte1;
  };
  const Case cases[] = {{0, 0x00, 0x00}, {1, 0x00, 0xFF}, {2, 0xFF, 0x00}, {3, 0xFF, 0xFF}};
  // Reaches past column 31 and past line 191 (cell rows 45..48 of 8x4).
  const Box inside{30, 31, 180, 191};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selectedCharColour);
    const Picture before = RandomPicture(4, 7);
    EditingFixture fx(before);
    const Picture& doc = fx.Doc.Picture();
    SetRectangle(fx.Tools.Selection, 30, 45, 3, 4);
    fx.Tools.Selection.Shown = true;
    fx.Colours.SelectedCharColour = c.selectedCharColour;
    fx.Colours.CurrentColours = {1, 2, 3, 4};
    fx.Display.Render.Redraw(true);
    DeleteSelection(fx.Doc, fx.Tools.Selection, fx.Colours);
    fx.Present();
    EXPECT_EQ(fx.Doc.UndoName(), "Delete");
    EXPECT_EQ(ChangesOutside(doc, before, inside), 0);
    for (int col = 30; col <= 31; ++col)
      for (int line = 180; line <= 191; ++line) {
        EXPECT_EQ(doc.Pixels[0].At(col, line), c.byte0);
        EXPECT_EQ(doc.Pixels[1].At(col, line), c.byte1);
        EXPECT_EQ(doc.Attrs[0].At(col, line), (AttrEntry{1, 2}));
        EXPECT_EQ(doc.Attrs[1].At(col, line), (AttrEntry{3, 4}));
      }
    EXPECT_TRUE(fx.Tools.Selection.Shown);
    EXPECT_TRUE(ShowsItsPicture(fx));
  }
}

TEST(Delete, WithNoSelectionShownDoesNothing) {
  const Picture before = RandomPicture(8, 8);
  EditingFixture fx(before);
  SetRectangle(fx.Tools.Selection, 0, 0, 4, 4);
  fx.Colours.SelectedCharColour = 3;
  DeleteSelection(fx.Doc, fx.Tools.Selection, fx.Colours);
  fx.Present();
  EXPECT_EQ(fx.Doc.Picture(), before);
  EXPECT_EQ(fx.Doc.UndoName(), "");  // no step taken
  EXPECT_FALSE(ShowsItsPicture(fx));
}

}  // namespace
}  // namespace chromaloom
