#include "editing/transforms.h"

namespace chromaloom {
namespace {

// Where the item at offset `from` (from the top-left) of a block of pixels
// or cells goes; size holds the block's width and height.
using Mapping = Point (*)(Point from, Point size);

Point MirrorAcross(Point f, Point size) { return {size.X - 1 - f.X, f.Y}; }
Point MirrorDown(Point f, Point size) { return {f.X, size.Y - 1 - f.Y}; }
// The turned block keeps the top-left corner, so it can reach past the rectangle.
Point QuarterTurn(Point f, Point size) { return {size.Y - 1 - f.Y, f.X}; }
Point WrapLeft(Point f, Point size) { return {(f.X + size.X - 1) % size.X, f.Y}; }
Point WrapRight(Point f, Point size) { return {(f.X + 1) % size.X, f.Y}; }
Point WrapUp(Point f, Point size) { return {f.X, (f.Y + size.Y - 1) % size.Y}; }
Point WrapDown(Point f, Point size) { return {f.X, (f.Y + 1) % size.Y}; }

bool HasLine(int line) { return line >= 0 && line < PictureHeight; }
bool InPicture(int x, int line) { return x >= 0 && x < PictureWidth && HasLine(line); }
bool HasCell(int col, int line) { return col >= 0 && col < ByteColumns && HasLine(line); }

// Calls move(source, target) in picture coordinates for every item of the block.
template <typename Move>
void ForEachMove(const Rect& block, Mapping map, Move move) {
  const Point size{block.W, block.H};
  for (int down = 0; down < block.H; ++down) {
    for (int across = 0; across < block.W; ++across) {
      const Point to = map({across, down}, size);
      move(block.X + across, block.Y + down, block.X + to.X, block.Y + to.Y);
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

void Transform(Document& document, const CellSelection& s, Mapping map, bool movesAttributes, const char* what) {
  Change change(document, what);
  const int h = document.ValidCellHeight();
  Planes& p = change.EditPlanes();
  // Reads come only from this copy, so nothing is overwritten before it is read.
  const Planes scratch = p;
  if (h != 0) {
    ForEachMove({s.Left * 8, s.Top * h, s.Width * 8, s.Height * h}, map,
                [&](int fx, int fy, int tx, int ty) { MovePixel(scratch, p, fx, fy, tx, ty); });
    if (movesAttributes)
      ForEachMove({s.Left, s.Top, s.Width, s.Height}, map,
                  [&](int fc, int fr, int tc, int tr) { MoveCellEntry(scratch, p, h, fc, fr, tc, tr); });
  }
  change.Commit();
}

}  // namespace

void FlipSelectionHorizontal(Document& document, const CellSelection& selection) {
  Transform(document, selection, MirrorAcross, true, "Flip Horizontal");
}
void FlipSelectionVertical(Document& document, const CellSelection& selection) {
  Transform(document, selection, MirrorDown, true, "Flip Vertical");
}
void RotateSelection90cw(Document& document, const CellSelection& selection) {
  Transform(document, selection, QuarterTurn, true, "Rotate");
}
void RotatePixelsLeft(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapLeft, false, "Rotate Pixels");
}
void RotatePixelsRight(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapRight, false, "Rotate Pixels");
}
void RotatePixelsUp(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapUp, false, "Rotate Pixels");
}
void RotatePixelsDown(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapDown, false, "Rotate Pixels");
}

}  // namespace chromaloom
