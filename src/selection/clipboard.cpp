#include "selection/clipboard.h"

#include "editing/editor.h"
#include "selection/undo.h"

namespace chromaloom {
namespace {

// Rows of whole cells count in the plain char-mode height, side columns too.
// A broken mode (only a damaged file could set one) yields 0: nothing moves.
int RowHeight(const Picture& p) { return IsValidCharMode(p.CharMode) ? p.CharMode : 0; }

bool InPicture(int col, int line) { return col >= 0 && col < ByteColumns && line >= 0 && line < PictureHeight; }

// Rounds towards minus infinity, so a pointer left of or above the canvas
// lands in a negative cell rather than in cell 0.

struct Cell {
  int Column = 0;
  int Row = 0;
};

Cell CellUnderPointer(const Editor& editor, int h) {
  const int z = editor.View.Scale();
  const Point p = editor.Editing.LastCanvasPointer;
  return {FloorDiv(p.X, 8 * z), FloorDiv(p.Y, h * z)};
}

}  // namespace

void RemoveSelection(Editor& editor) {
  editor.Selection.Shown = false;
  editor.Redraw(false);
}

void CopySelection(Editor& editor, bool pointerOverPicture) {
  CellSelection& s = editor.Selection;
  const int h = RowHeight(editor.Document);
  if (pointerOverPicture && !s.Shown && h != 0) {
    const Cell cell = CellUnderPointer(editor, h);
    editor.Redraw(false);
    s.Shown = true;
    s.Dragging = true;
    s.Left = s.AnchorColumn = cell.Column;
    s.Top = s.AnchorRow = cell.Row;
    s.Width = 1;
    s.Height = 1;
  }
  PictureClipboard& clip = editor.Clipboard;
  clip.SourceLeft = s.Left;
  clip.SourceTop = s.Top;
  clip.SourceWidth = s.Width;
  clip.SourceHeight = s.Height;
  clip.Planes = editor.Document;
}

void PasteAtPointer(Editor& editor, bool pointerOverPicture) {
  SaveUndoSnapshot(editor);
  const int h = RowHeight(editor.Document);
  if (!pointerOverPicture) return;
  if (h != 0) {
    const Cell target = CellUnderPointer(editor, h);
    const int rows = PictureHeight / h;
    const PictureClipboard& clip = editor.Clipboard;
    Picture& p = editor.Document;
    for (int i = 0; i < clip.SourceWidth; ++i) {
      const int toCol = target.Column + i, fromCol = clip.SourceLeft + i;
      if (toCol < 0 || toCol >= ByteColumns) continue;
      for (int j = 0; j < clip.SourceHeight; ++j) {
        const int toRow = target.Row + j;
        if (toRow < 0 || toRow >= rows) continue;
        for (int k = 0; k < h; ++k) {
          const int fromLine = (clip.SourceTop + j) * h + k, toLine = toRow * h + k;
          // Rows made under a lower cell height can point past the last line.
          if (!InPicture(fromCol, fromLine)) continue;
          for (int screen = 0; screen < 2; ++screen)
            p.Attrs[screen].At(toCol, toLine) = clip.Planes.Attrs[screen].At(fromCol, fromLine);
          for (int screen = 0; screen < 2; ++screen)
            p.Pixels[screen].At(toCol, toLine) = clip.Planes.Pixels[screen].At(fromCol, fromLine);
        }
      }
    }
  }
  editor.Redraw(true);
}

void DeleteSelection(Editor& editor) {
  const CellSelection& s = editor.Selection;
  if (!s.Shown) return;
  SaveUndoSnapshot(editor);
  const int h = RowHeight(editor.Document);
  const ColourSet& c = editor.Editing.CurrentColours;
  const AttrEntry entries[2] = {{c.PAP0, c.INK0}, {c.PAP1, c.INK1}};
  Picture& p = editor.Document;
  for (int col = s.Left; col < s.Left + s.Width; ++col) {
    for (int line = s.Top * h; line < (s.Top + s.Height) * h; ++line) {
      if (!InPicture(col, line)) continue;
      for (int screen = 0; screen < 2; ++screen) {
        p.Attrs[screen].At(col, line) = entries[screen];
        p.Pixels[screen].At(col, line) = editor.Editing.ScreenBit(screen) != 0 ? 0xFF : 0x00;
      }
    }
  }
  editor.Redraw(true);
}

}  // namespace chromaloom
