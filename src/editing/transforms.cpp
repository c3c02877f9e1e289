#include "editing/transforms.h"

#include <algorithm>
#include <array>
#include <vector>

#include "editing/clipboard.h"

#include "picture/translated_text.h"

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

// A colour a pixel of a cell should show, and how much it matters: 0 for a
// pixel outside both blocks (it must keep its colour), 1 for the turned
// block, 2 for what the old block leaves behind.
struct Wanted {
  ZxColour Colour = 0;
  int Rank = 0;
};

double Squared(Rgb a, Rgb b) {
  const double dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}

// One screen of a cell of `lines` lines: the PAPER and INK of one BRIGHT that
// show the wanted colours best, rank by rank, and each pixel's bit.
void FitCell(Planes& p, int screen, int col, int top, int lines, const std::array<Wanted, 64>& wanted,
             const AttrEntry& own) {
  // Every PAPER and INK of one BRIGHT, and the cell's own entry, whatever it holds.
  std::vector<AttrEntry> candidates{own};
  for (int bright = 0; bright < 2; ++bright)
    for (int n1 = 0; n1 < 8; ++n1)
      for (int n2 = n1; n2 < 8; ++n2) candidates.push_back({ZxColourIndex(n1, bright), ZxColourIndex(n2, bright)});
  std::array<double, 3> best{1e300, 1e300, 1e300};
  AttrEntry chosen;
  for (const AttrEntry& e : candidates) {
    std::array<double, 3> cost{0, 0, 0};
    for (int i = 0; i < 8 * lines && top + i / 8 < PictureHeight; ++i) {
      const Rgb c = ZxRgb(wanted[static_cast<std::size_t>(i)].Colour);
      cost[static_cast<std::size_t>(wanted[static_cast<std::size_t>(i)].Rank)] +=
          std::min(Squared(c, ZxRgb(e.Paper)), Squared(c, ZxRgb(e.Ink)));
    }
    if (cost < best) best = cost, chosen = e;
  }
  for (int row = 0; row < lines && top + row < PictureHeight; ++row) {
    p.Attrs[screen].At(col, top + row) = chosen;
    for (int b = 0; b < 8; ++b) {
      const Rgb c = ZxRgb(wanted[static_cast<std::size_t>(8 * row + b)].Colour);
      p.Pixels[screen].SetBit(col * 8 + b, top + row, Squared(c, ZxRgb(chosen.Ink)) < Squared(c, ZxRgb(chosen.Paper)));
    }
  }
}

}  // namespace

void FlipSelectionHorizontal(Document& document, const CellSelection& selection) {
  Transform(document, selection, MirrorAcross, true, QT_TRANSLATE_NOOP("Changes", "Flip Horizontal"));
}
void FlipSelectionVertical(Document& document, const CellSelection& selection) {
  Transform(document, selection, MirrorDown, true, QT_TRANSLATE_NOOP("Changes", "Flip Vertical"));
}
void RotateSelection90cw(Document& document, const CellSelection& selection) {
  RotateSelection90cw(document, selection, Pickers{});
}

void RotateSelection90cw(Document& document, const CellSelection& s, const Pickers& pickers) {
  const int h = document.ValidCellHeight();
  // Square cells in a square block turn as they are, attributes and all.
  if (h == 8 && s.Width == s.Height) {
    Transform(document, s, QuarterTurn, true, QT_TRANSLATE_NOOP("Changes", "Rotate"));
    return;
  }
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Rotate"));
  if (h != 0) {
    Planes& p = change.EditPlanes();
    const Planes before = p;
    const Rect old{s.Left * 8, s.Top * h, s.Width * 8, s.Height * h};
    const Rect turned = Rect{old.X, old.Y, old.H, old.W}.Intersected({0, 0, PictureWidth, PictureHeight});
    ClearSelectedCells(p, s, h, pickers);
    const auto inside = [](const Rect& r, int x, int y) {
      return x >= r.X && x < r.Right() && y >= r.Y && y < r.Bottom();
    };
    for (int col = turned.X / 8; col * 8 < turned.Right(); ++col) {
      const int ch = CellHeightAt(h, col);
      for (int top = turned.Y / ch * ch; top < turned.Bottom(); top += ch)
        for (int screen = 0; screen < 2; ++screen) {
          std::array<Wanted, 64> wanted{};
          for (int row = 0; row < ch; ++row)
            for (int b = 0; b < 8; ++b) {
              const int x = col * 8 + b, y = top + row;
              Wanted& w = wanted[static_cast<std::size_t>(8 * row + b)];
              // Where QuarterTurn takes (fx, fy) of the block to (H - 1 - fy, fx).
              const int sx = old.X + (y - old.Y), sy = old.Bottom() - 1 - (x - old.X);
              if (inside(turned, x, y) && InPicture(sx, sy)) {
                w = {ScreenColourAt(before, h, screen, sx, sy), 1};
              } else if (inside(old, x, y)) {
                w = {ScreenColourAt(p, h, screen, x, y), 2};  // as Delete left it
              } else {
                w = {ScreenColourAt(before, h, screen, x, y), 0};
              }
            }
          FitCell(p, screen, col, top, ch, wanted, before.Attrs[screen].At(col, top));
        }
    }
  }
  change.Commit();
}
void RotatePixelsLeft(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapLeft, false, QT_TRANSLATE_NOOP("Changes", "Rotate Pixels"));
}
void RotatePixelsRight(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapRight, false, QT_TRANSLATE_NOOP("Changes", "Rotate Pixels"));
}
void RotatePixelsUp(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapUp, false, QT_TRANSLATE_NOOP("Changes", "Rotate Pixels"));
}
void RotatePixelsDown(Document& document, const CellSelection& selection) {
  Transform(document, selection, WrapDown, false, QT_TRANSLATE_NOOP("Changes", "Rotate Pixels"));
}

}  // namespace chromaloom
