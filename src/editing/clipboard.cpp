#include "editing/clipboard.h"

namespace chromaloom {
namespace {

bool InPicture(int col, int line) { return col >= 0 && col < ByteColumns && line >= 0 && line < PictureHeight; }

// The (column, row) of the cell under the pointer. Rounds towards minus
// infinity, so a pointer left of or above the canvas lands in a negative
// cell rather than in cell 0.
Point CellUnderPointer(const ToolState& tools, int h) {
  const Point p = tools.LastPointer;
  return {FloorDiv(p.X, 8), FloorDiv(p.Y, h)};
}

}  // namespace

void RemoveSelection(CellSelection& selection) { selection.Shown = false; }

void CopySelection(const Document& document, ToolState& tools, PictureClipboard& clipboard, bool pointerOverPicture) {
  CellSelection& s = tools.Selection;
  // Rows of whole cells count in the plain cell height, side columns too.
  const int h = document.ValidCellHeight();
  if (pointerOverPicture && !s.Shown && h != 0) {
    const Point cell = CellUnderPointer(tools, h);
    s.Shown = true;
    s.Dragging = true;
    s.Left = s.AnchorColumn = cell.X;
    s.Top = s.AnchorRow = cell.Y;
    s.Width = 1;
    s.Height = 1;
  }
  PictureClipboard& clip = clipboard;
  clip.SourceLeft = s.Left;
  clip.SourceTop = s.Top;
  clip.SourceWidth = s.Width;
  clip.SourceHeight = s.Height;
  clip.Planes = document.Picture();
}

void PasteAtPointer(Document& document, const ToolState& tools, const PictureClipboard& clipboard,
                    bool pointerOverPicture) {
  Change change(document, "Paste");
  const int h = document.ValidCellHeight();
  if (!pointerOverPicture) return;
  if (h != 0) {
    const Point target = CellUnderPointer(tools, h);
    const int rows = PictureHeight / h;
    const PictureClipboard& clip = clipboard;
    Planes& p = change.EditPlanes();
    for (int i = 0; i < clip.SourceWidth; ++i) {
      const int toCol = target.X + i, fromCol = clip.SourceLeft + i;
      if (toCol < 0 || toCol >= ByteColumns) continue;
      for (int j = 0; j < clip.SourceHeight; ++j) {
        const int toRow = target.Y + j;
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
  change.Commit();
}

void DeleteSelection(Document& document, const CellSelection& selection, const Pickers& pickers) {
  const CellSelection& s = selection;
  if (!s.Shown) return;
  Change change(document, "Delete");
  const int h = document.ValidCellHeight();
  const ColourSet& c = pickers.CurrentColours;
  const AttrEntry entries[2] = {{c.PAP0, c.INK0}, {c.PAP1, c.INK1}};
  Planes& p = change.EditPlanes();
  for (int col = s.Left; col < s.Left + s.Width; ++col) {
    for (int line = s.Top * h; line < (s.Top + s.Height) * h; ++line) {
      if (!InPicture(col, line)) continue;
      for (int screen = 0; screen < 2; ++screen) {
        p.Attrs[screen].At(col, line) = entries[screen];
        p.Pixels[screen].At(col, line) = pickers.ScreenBit(screen) != 0 ? 0xFF : 0x00;
      }
    }
  }
  change.Commit();
}

}  // namespace chromaloom
