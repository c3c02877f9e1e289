#include "selection/clipboard.h"

#include <gtest/gtest.h>

#include "editing/editor.h"
#include "selection/selection_test_support.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using namespace chromaloom::test_support;

// Somewhere inside the cell, not on its corner, so rounding matters.
void PointAtCell(Editor& e, int col, int row) {
  const int z = e.View.Scale();
  e.Editing.LastCanvasPointer = {col * 8 * z + 3, row * e.Document.CharMode * z + 1};
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
    Editor e;
    e.Document = copied;
    SetRectangle(e, c.left, c.top, c.width, c.height);
    e.Selection.Shown = true;
    CopySelection(e, true);
    const CellSelection selection = e.Selection;
    e.Document = pastedOnto;
    PointAtCell(e, c.toCol, c.toRow);
    PasteAtPointer(e, true);

    EXPECT_EQ(e.UndoSnapshot, PlanesOf(pastedOnto));
    EXPECT_EQ(ChangesOutside(e.Document, pastedOnto, c.written), 0);
    // Inside, each place holds the copy-time content of its source place.
    const int h = c.pasteMode, dCol = c.toCol - c.left, dLine = (c.toRow - c.top) * h;
    int wrong = 0;
    for (int col = c.written.FirstCol; col <= c.written.LastCol; ++col)
      for (int line = c.written.FirstLine; line <= c.written.LastLine; ++line)
        for (int s = 0; s < 2; ++s)
          if (e.Document.Pixels[s].At(col, line) != copied.Pixels[s].At(col - dCol, line - dLine) ||
              !(e.Document.Attrs[s].At(col, line) == copied.Attrs[s].At(col - dCol, line - dLine)))
            ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(ShowsItsPicture(e));
    EXPECT_EQ(e.Selection.Left, selection.Left);
    EXPECT_EQ(e.Selection.Width, selection.Width);
  }
}

TEST(Paste, WithNothingToPasteStillReplacesTheSnapshot) {
  struct Case {
    const char* name;
    bool copyFirst, pointerOverPicture, redrawn;
  };
  const Case cases[] = {{"before any copy", false, true, true}, {"pointer off the picture", true, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Editor e;
    e.Document = RandomPicture(4, 3);
    SetRectangle(e, 1, 1, 5, 5);
    if (c.copyFirst) CopySelection(e, false);
    e.Document = RandomPicture(4, 4);  // not rendered yet
    const Picture before = e.Document;
    PointAtCell(e, 0, 0);
    PasteAtPointer(e, c.pointerOverPicture);
    EXPECT_EQ(e.Document, before);
    EXPECT_EQ(e.UndoSnapshot, PlanesOf(before));
    EXPECT_EQ(ShowsItsPicture(e), c.redrawn);
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
    Editor e;
    e.Document = RandomPicture(c.mode, 5);
    e.SetZoom(c.zoom);
    SetRectangle(e, 2, 3, 4, 5);
    e.Selection.Shown = c.shown;
    e.Editing.LastCanvasPointer = c.pointer;
    CopySelection(e, c.pointerOverPicture);
    const PictureClipboard& clip = e.Clipboard;
    EXPECT_EQ(clip.Planes, PlanesOf(e.Document));
    EXPECT_EQ(clip.SourceLeft, c.left);
    EXPECT_EQ(clip.SourceTop, c.top);
    EXPECT_EQ(clip.SourceWidth, c.width);
    EXPECT_EQ(clip.SourceHeight, c.height);
    EXPECT_EQ(e.Selection.Shown, c.shownAfter);
    EXPECT_EQ(e.Selection.Left, c.left);
    EXPECT_EQ(e.Selection.Top, c.top);
    EXPECT_EQ(e.UndoSnapshot, Planes{});
    if (!c.shown && c.pointerOverPicture) {
      EXPECT_TRUE(e.Selection.Dragging);
      EXPECT_EQ(e.Selection.AnchorColumn, c.left);
      EXPECT_EQ(e.Selection.AnchorRow, c.top);
    }
  }
}

TEST(Clipboard, RemoveHidesTheOutlineButKeepsTheRectangle) {
  Editor e;
  e.Redraw(true);
  const Raster clean = e.Render.EditorImage;
  SetRectangle(e, 3, 4, 2, 2);
  e.Selection.Shown = true;
  e.Render.DrawEditorAnts(e.SelectionOnEditor(), 0, e.Ants);
  ASSERT_FALSE(e.Render.EditorImage == clean);
  RemoveSelection(e);
  EXPECT_FALSE(e.Selection.Shown);
  EXPECT_EQ(e.Selection.Left, 3);
  EXPECT_EQ(e.Selection.Height, 2);
  EXPECT_TRUE(e.Render.EditorImage == clean);
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
    Editor e;
    const Picture before = RandomPicture(4, 7);
    e.Document = before;
    SetRectangle(e, 30, 45, 3, 4);
    e.Selection.Shown = true;
    e.Editing.SelectedCharColour = c.selectedCharColour;
    e.Editing.CurrentColours = {1, 2, 3, 4};
    DeleteSelection(e);
    EXPECT_EQ(e.UndoSnapshot, PlanesOf(before));
    EXPECT_EQ(ChangesOutside(e.Document, before, inside), 0);
    for (int col = 30; col <= 31; ++col)
      for (int line = 180; line <= 191; ++line) {
        EXPECT_EQ(e.Document.Pixels[0].At(col, line), c.byte0);
        EXPECT_EQ(e.Document.Pixels[1].At(col, line), c.byte1);
        EXPECT_EQ(e.Document.Attrs[0].At(col, line), (AttrEntry{1, 2}));
        EXPECT_EQ(e.Document.Attrs[1].At(col, line), (AttrEntry{3, 4}));
      }
    EXPECT_TRUE(e.Selection.Shown);
    EXPECT_TRUE(ShowsItsPicture(e));
  }
}

TEST(Delete, WithNoSelectionShownDoesNothing) {
  Editor e;
  const Picture before = RandomPicture(8, 8);
  e.Document = before;
  SetRectangle(e, 0, 0, 4, 4);
  e.Editing.SelectedCharColour = 3;
  DeleteSelection(e);
  EXPECT_EQ(e.Document, before);
  EXPECT_EQ(e.UndoSnapshot, Planes{});
  EXPECT_FALSE(ShowsItsPicture(e));
}

}  // namespace
}  // namespace chromaloom
