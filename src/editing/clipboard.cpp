#include "editing/clipboard.h"

#include "picture/translated_text.h"

namespace chromaloom {
namespace {

bool InPicture(int col, int line) { return col >= 0 && col < ByteColumns && line >= 0 && line < PictureHeight; }

constexpr Rect PictureBounds{0, 0, PictureWidth, PictureHeight};

bool HoldsCells(const PictureClipboard& clip) { return clip.SourceWidth > 0 && clip.SourceHeight > 0; }

// The clipboard's cells with their top-left at target, in rows of h lines.
// Cells past the picture's edge on either side are skipped.
void CopyCells(Planes& to, const PictureClipboard& clip, Point target, int h) {
  const int rows = PictureHeight / h;
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
        for (int screen = 0; screen < 2; ++screen) {
          to.Attrs[screen].At(toCol, toLine) = clip.Planes.Attrs[screen].At(fromCol, fromLine);
          to.Pixels[screen].At(toCol, toLine) = clip.Planes.Pixels[screen].At(fromCol, fromLine);
        }
      }
    }
  }
}

}  // namespace

Point CellUnderPointer(const ToolState& tools, int h) {
  const Point p = tools.LastPointer;
  return {FloorDiv(p.X, 8), FloorDiv(p.Y, h)};
}

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

Rect ClipboardArea(const PictureClipboard& clip, int h) {
  if (h <= 0 || !HoldsCells(clip)) return {};
  const Rect cells{clip.SourceLeft * 8, clip.SourceTop * h, clip.SourceWidth * 8, clip.SourceHeight * h};
  return cells.Intersected(PictureBounds);
}

Raster MixedArea(const Picture& picture, Rect area, const MixingProfile& mixing) {
  area = area.Intersected(PictureBounds);
  if (area.IsEmpty() || !IsValidCellHeight(picture.CellHeight)) return {};
  Raster image(area.W, area.H);
  for (int y = 0; y < area.H; ++y)
    for (int x = 0; x < area.W; ++x) {
      const int px = area.X + x, py = area.Y + y;
      const AttrEntry& a0 = picture.CellAttr(0, px, py);
      const AttrEntry& a1 = picture.CellAttr(1, px, py);
      const bool ink0 = picture.GetPixelBit(0, px, py), ink1 = picture.GetPixelBit(1, px, py);
      image.At(x, y) = mixing.Mix(ink0 ? a0.Ink : a0.Paper, ink1 ? a1.Ink : a1.Paper);
    }
  return image;
}

bool BeginFloatingPaste(ToolState& tools, const PictureClipboard& clipboard, Point cell) {
  if (!HoldsCells(clipboard)) return false;
  // What the tools were drawing stays drawn, as one step of its own.
  if (tools.OpenChange) tools.OpenChange->Commit();
  tools.OpenChange.reset();
  tools.Stroking = false;
  tools.ShapeInProgress = false;
  tools.ShapeEnd.reset();
  tools.Selection.Dragging = false;
  tools.Floating = FloatingPaste{clipboard, cell};
  return true;
}

void FollowPointer(ToolState& tools, int h) {
  if (tools.Floating && h > 0) tools.Floating->Cell = CellUnderPointer(tools, h);
}

void PlaceFloatingPaste(Document& document, ToolState& tools) {
  if (!tools.Floating) return;
  const FloatingPaste floating = std::move(*tools.Floating);
  tools.Floating.reset();
  const int h = document.ValidCellHeight();
  if (h == 0) return;
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Paste"));
  CopyCells(change.EditPlanes(), floating.Cells, floating.Cell, h);
  change.Commit();
}

void CancelFloatingPaste(ToolState& tools) { tools.Floating.reset(); }

FloatingPreview PreviewFloatingPaste(const Picture& picture, const ToolState& tools, const MixingProfile& mixing) {
  const int h = IsValidCellHeight(picture.CellHeight) ? picture.CellHeight : 0;
  if (!tools.Floating || h == 0) return {};
  const FloatingPaste& f = *tools.Floating;
  FloatingPreview preview;
  preview.Outline = {f.Cell.X * 8, f.Cell.Y * h, f.Cells.SourceWidth * 8, f.Cells.SourceHeight * h};
  // The picture as it would be once placed, so the cell rule of 8x1's side
  // columns and the cells the source lacks show as the canvas will.
  Picture placed = picture;
  CopyCells(placed, f.Cells, f.Cell, h);
  preview.Area = preview.Outline.Intersected(PictureBounds);
  preview.Pixels = MixedArea(placed, preview.Area, mixing);
  if (preview.Pixels.Width() == 0) preview.Area = {};
  return preview;
}

void ClearSelectedCells(Planes& planes, const CellSelection& s, int h, const Pickers& pickers) {
  const ColourSet& c = pickers.CurrentColours;
  const AttrEntry entries[2] = {{c.PAP0, c.INK0}, {c.PAP1, c.INK1}};
  for (int col = s.Left; col < s.Left + s.Width; ++col) {
    for (int line = s.Top * h; line < (s.Top + s.Height) * h; ++line) {
      if (!InPicture(col, line)) continue;
      for (int screen = 0; screen < 2; ++screen) {
        planes.Attrs[screen].At(col, line) = entries[screen];
        planes.Pixels[screen].At(col, line) = pickers.ScreenBit(screen) != 0 ? 0xFF : 0x00;
      }
    }
  }
}

void DeleteSelection(Document& document, const CellSelection& selection, const Pickers& pickers) {
  if (!selection.Shown) return;
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Delete"));
  ClearSelectedCells(change.EditPlanes(), selection, document.ValidCellHeight(), pickers);
  change.Commit();
}

}  // namespace chromaloom
