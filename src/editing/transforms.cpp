#include "editing/transforms.h"

namespace chromaloom {
namespace {

// A position inside a grid (pixels or cells), counted from its top-left.
struct Offset {
  int Across = 0;
  int Down = 0;
};

// A rectangle of pixels or of cells: top-left corner and size.
struct Grid {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// Where the item at offset `from` of a grid of size `size` goes.
using Mapping = Offset (*)(Offset from, Offset size);

Offset MirrorAcross(Offset f, Offset size) { return {size.Across - 1 - f.Across, f.Down}; }
Offset MirrorDown(Offset f, Offset size) { return {f.Across, size.Down - 1 - f.Down}; }
// The turned block keeps the top-left corner, so it can reach past the rectangle.
Offset QuarterTurn(Offset f, Offset size) { return {size.Down - 1 - f.Down, f.Across}; }
Offset WrapLeft(Offset f, Offset size) { return {(f.Across + size.Across - 1) % size.Across, f.Down}; }
Offset WrapRight(Offset f, Offset size) { return {(f.Across + 1) % size.Across, f.Down}; }
Offset WrapUp(Offset f, Offset size) { return {f.Across, (f.Down + size.Down - 1) % size.Down}; }
Offset WrapDown(Offset f, Offset size) { return {f.Across, (f.Down + 1) % size.Down}; }

bool HasLine(int line) { return line >= 0 && line < PictureHeight; }
bool InPicture(int x, int line) { return x >= 0 && x < PictureWidth && HasLine(line); }
bool HasCell(int col, int line) { return col >= 0 && col < ByteColumns && HasLine(line); }

// Calls move(source, target) in picture coordinates for every item of the grid.
template <typename Move>
void ForEachMove(const Grid& g, Mapping map, Move move) {
  const Offset size{g.Width, g.Height};
  for (int down = 0; down < g.Height; ++down) {
    for (int across = 0; across < g.Width; ++across) {
      const Offset to = map({across, down}, size);
      move(g.X + across, g.Y + down, g.X + to.Across, g.Y + to.Down);
    }
  }
}

// Both screens' bits of one pixel travel together, so the mixed colour moves.
void MovePixel(const Planes& from, Planes& to, int fx, int fy, int tx, int ty) {
  if (!InPicture(fx, fy) || !InPicture(tx, ty)) return;
  for (int screen = 0; screen < 2; ++screen) to.Pixels[screen].SetBit(tx, ty, from.Pixels[screen].Bit(fx, fy));
}

// Cells are addressed by (column, row); only the entry of the row's first line moves.
void MoveCellEntry(const Planes& from, Planes& to, int h, int fc, int fr, int tc, int tr) {
  const int fromLine = fr * h, toLine = tr * h;
  if (!HasCell(fc, fromLine) || !HasCell(tc, toLine)) return;
  for (int screen = 0; screen < 2; ++screen) to.Attrs[screen].At(tc, toLine) = from.Attrs[screen].At(fc, fromLine);
}

void Transform(Document& document, View& view, const CellSelection& s, Mapping map, bool movesAttributes) {
  document.SaveUndoSnapshot();
  const int h = document.ValidCellHeight();
  Planes& p = document.EditPlanes();
  // Reads come only from this copy, so nothing is overwritten before it is read.
  const Planes scratch = p;
  if (h != 0) {
    ForEachMove({s.Left * 8, s.Top * h, s.Width * 8, s.Height * h}, map,
                [&](int fx, int fy, int tx, int ty) { MovePixel(scratch, p, fx, fy, tx, ty); });
    if (movesAttributes)
      ForEachMove({s.Left, s.Top, s.Width, s.Height}, map,
                  [&](int fc, int fr, int tc, int tr) { MoveCellEntry(scratch, p, h, fc, fr, tc, tr); });
  }
  view.Render.Redraw(true);
}

}  // namespace

void FlipSelectionHorizontal(Document& document, View& view, const CellSelection& selection) {
  Transform(document, view, selection, MirrorAcross, true);
}
void FlipSelectionVertical(Document& document, View& view, const CellSelection& selection) {
  Transform(document, view, selection, MirrorDown, true);
}
void RotateSelection90cw(Document& document, View& view, const CellSelection& selection) {
  Transform(document, view, selection, QuarterTurn, true);
}
void RotatePixelsLeft(Document& document, View& view, const CellSelection& selection) {
  Transform(document, view, selection, WrapLeft, false);
}
void RotatePixelsRight(Document& document, View& view, const CellSelection& selection) {
  Transform(document, view, selection, WrapRight, false);
}
void RotatePixelsUp(Document& document, View& view, const CellSelection& selection) {
  Transform(document, view, selection, WrapUp, false);
}
void RotatePixelsDown(Document& document, View& view, const CellSelection& selection) {
  Transform(document, view, selection, WrapDown, false);
}

}  // namespace chromaloom
