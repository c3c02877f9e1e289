#include "editing/drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "convert/cell_painter.h"
#include "editing/canvas_tools.h"

namespace chromaloom {

namespace {

// The outline of the ellipse through the centres of the box's outermost
// pixels: one quadrant walked in half pixels from the centre, from the top
// to the tip, each step to the right, down or both, whichever lands nearest
// the curve, then mirrored, so the outline is closed, 8-connected and
// symmetric about both axes of the box whether its sides are odd or even.
// Two rules keep it one pixel wide: no right step just after a down step or
// the other way round (a diagonal does it without a corner), and where a
// side is even the two middle rows (or columns) hold the tip alone.
template <typename Visit>
void ForEachEllipsePoint(Point c0, Point c1, Visit visit) {
  const int left = std::min(c0.X, c1.X), top = std::min(c0.Y, c1.Y);
  const int w = std::abs(c1.X - c0.X), h = std::abs(c1.Y - c0.Y);  // pixels between the outermost centres
  if (w == 0 || h == 0) {
    ForEachLinePoint(c0, c1, visit);
    return;
  }
  // (centre + offset) / 2 is a pixel when the offset has its side's parity.
  const int centreX2 = 2 * left + w, centreY2 = 2 * top + h;
  const auto plot = [&](int dx2, int dy2) {
    for (const int sx : {-1, 1})
      for (const int sy : {-1, 1}) visit(Point{(centreX2 + sx * dx2) / 2, (centreY2 + sy * dy2) / 2});
  };
  const auto miss = [&](int dx2, int dy2) {
    const double u = static_cast<double>(dx2) / w, v = static_cast<double>(dy2) / h;
    return std::abs(u * u + v * v - 1.0);
  };
  enum Step { Right, Down, Both, None };
  const int endX = w, endY = h % 2;
  int x = w % 2, y = h;
  Step last = None;
  plot(x, y);
  while (x != endX || y != endY) {
    const auto allowed = [&](Step step, bool strict) {
      const int nx = x + (step == Down ? 0 : 2), ny = y - (step == Right ? 0 : 2);
      if (nx > endX || ny < endY) return false;
      if (!strict) return true;
      if ((step == Right && last == Down) || (step == Down && last == Right)) return false;
      // A middle row or column that has a mirror twin next to it holds the tip or the top alone.
      if (endY == 1 && ny == 1 && nx != endX) return false;
      if (w % 2 == 1 && step == Down && x == 1) return false;
      return true;
    };
    Step best = None;
    for (const bool strict : {true, false}) {
      double bestMiss = 0;
      for (const Step step : {Right, Both, Down}) {
        if (!allowed(step, strict)) continue;
        const double m = miss(x + (step == Down ? 0 : 2), y - (step == Right ? 0 : 2));
        if (best == None || m < bestMiss) best = step, bestMiss = m;
      }
      if (best != None) break;
    }
    x += best == Down ? 0 : 2;
    y -= best == Right ? 0 : 2;
    last = best;
    plot(x, y);
  }
}

// The brush's pixels around its centre: Size across, the centre pixel
// left of and above the middle when the size is even.
std::vector<Point> BrushOffsets(const Brush& brush) {
  const int n = std::clamp(brush.Size, 1, MaxBrushSize);
  const int first = -(n - 1) / 2;
  std::vector<Point> offsets;
  for (int dy = first; dy < first + n; ++dy)
    for (int dx = first; dx < first + n; ++dx) {
      // Pixel centres within the disc of diameter n around the brush's middle.
      const double mx = dx - first + 0.5 - n / 2.0, my = dy - first + 0.5 - n / 2.0;
      if (brush.Shape == BrushShape::Round && n > 2 && mx * mx + my * my > (n / 2.0) * (n / 2.0)) continue;
      offsets.push_back({dx, dy});
    }
  return offsets;
}

// Ends this far off the picture are refused: no canvas point lies there.
constexpr int FarthestLineEnd = 1 << 16;

bool Reasonable(Point p) { return std::abs(p.X) <= FarthestLineEnd && std::abs(p.Y) <= FarthestLineEnd; }

}  // namespace

void PixelSet::AddOne(Point p) {
  if (IsOnPicture(p)) bits_.set(Index(p.X, p.Y));
}

void PixelSet::Add(Point p) {
  AddOne(p);
  const Point mx{symmetry_.AxisX2 - 1 - p.X, p.Y}, my{p.X, symmetry_.AxisY2 - 1 - p.Y};
  if (symmetry_.MirrorsX()) AddOne(mx);
  if (symmetry_.MirrorsY()) AddOne(my);
  if (symmetry_.MirrorsX() && symmetry_.MirrorsY()) AddOne({mx.X, my.Y});
}

bool PixelSet::Has(Point p) const { return IsOnPicture(p) && bits_[Index(p.X, p.Y)]; }

std::uint8_t PixelSet::ByteAt(int column, int line) const {
  std::uint8_t bits = 0;
  for (int b = 0; b < 8; ++b)
    if (bits_[Index(column * 8 + b, line)]) bits |= static_cast<std::uint8_t>(0x80 >> b);
  return bits;
}

bool TakesSecondEntry(Pattern pattern, Point p) {
  static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  const int level = bayer[p.Y & 3][p.X & 3];
  switch (pattern) {
    case Pattern::Solid:
      return false;
    case Pattern::Checkerboard:
      return ((p.X + p.Y) & 1) != 0;
    case Pattern::Ordered25:
      return level >= 4;
    case Pattern::Ordered75:
      return level >= 12;
    case Pattern::HorizontalLines:
      return (p.Y & 1) != 0;
    case Pattern::VerticalLines:
      return (p.X & 1) != 0;
  }
  return false;
}

void AddBrushStamp(PixelSet& mask, Point centre, const Brush& brush) {
  if (brush.Size <= 1) {
    mask.Add(centre);
    return;
  }
  for (const Point d : BrushOffsets(brush)) mask.Add({centre.X + d.X, centre.Y + d.Y});
}

void AddLine(PixelSet& mask, Point from, Point to, const Brush& brush) {
  if (!Reasonable(from) || !Reasonable(to)) return;
  ForEachLinePoint(from, to, [&](Point p) { AddBrushStamp(mask, p, brush); });
}

void AddRect(PixelSet& mask, Point c0, Point c1, const Brush& brush, bool filled) {
  if (!Reasonable(c0) || !Reasonable(c1)) return;
  if (filled) {
    const int left = std::max(std::min(c0.X, c1.X), 0), right = std::min(std::max(c0.X, c1.X), PictureWidth - 1);
    const int top = std::max(std::min(c0.Y, c1.Y), 0), bottom = std::min(std::max(c0.Y, c1.Y), PictureHeight - 1);
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x) mask.Add({x, y});
  }
  AddLine(mask, {c0.X, c0.Y}, {c1.X, c0.Y}, brush);
  AddLine(mask, {c0.X, c1.Y}, {c1.X, c1.Y}, brush);
  AddLine(mask, {c0.X, c0.Y}, {c0.X, c1.Y}, brush);
  AddLine(mask, {c1.X, c0.Y}, {c1.X, c1.Y}, brush);
}

void AddEllipse(PixelSet& mask, Point c0, Point c1, const Brush& brush, bool filled) {
  if (!Reasonable(c0) || !Reasonable(c1)) return;
  const int top = std::min(c0.Y, c1.Y), rows = std::abs(c1.Y - c0.Y) + 1;
  // The outline's leftmost and rightmost pixel on each row: the inside lies between.
  std::vector<std::array<int, 2>> span(static_cast<std::size_t>(rows), {FarthestLineEnd, -FarthestLineEnd});
  ForEachEllipsePoint(c0, c1, [&](Point p) {
    AddBrushStamp(mask, p, brush);
    auto& s = span[static_cast<std::size_t>(p.Y - top)];
    s = {std::min(s[0], p.X), std::max(s[1], p.X)};
  });
  if (!filled) return;
  for (int row = 0; row < rows; ++row) {
    const int y = top + row;
    if (y < 0 || y >= PictureHeight) continue;
    const auto [left, right] = span[static_cast<std::size_t>(row)];
    for (int x = std::max(left, 0); x <= std::min(right, PictureWidth - 1); ++x) mask.Add({x, y});
  }
}

Point SquareCorner(Point c0, Point c1) {
  const int side = std::max(std::abs(c1.X - c0.X), std::abs(c1.Y - c0.Y));
  return {c0.X + (c1.X < c0.X ? -side : side), c0.Y + (c1.Y < c0.Y ? -side : side)};
}

PixelSet FloodRegion(const Raster& shown, Point seed, Symmetry symmetry) {
  PixelSet region(symmetry);
  if (!IsOnPicture(seed) || shown.Width() != PictureWidth || shown.Height() != PictureHeight) return region;
  const Rgb colour = shown.At(seed.X, seed.Y);
  // The region itself, without mirrors, decides where the fill may go.
  std::bitset<PictureWidth * PictureHeight> seen;
  std::vector<Point> todo{seed};
  seen.set(static_cast<std::size_t>(seed.Y) * PictureWidth + seed.X);
  while (!todo.empty()) {
    const Point p = todo.back();
    todo.pop_back();
    region.Add(p);
    for (const Point n : {Point{p.X - 1, p.Y}, Point{p.X + 1, p.Y}, Point{p.X, p.Y - 1}, Point{p.X, p.Y + 1}}) {
      if (!IsOnPicture(n)) continue;
      const std::size_t i = static_cast<std::size_t>(n.Y) * PictureWidth + n.X;
      if (seen[i] || shown.At(n.X, n.Y) != colour) continue;
      seen.set(i);
      todo.push_back(n);
    }
  }
  return region;
}

namespace {

// visit(column, top, lines) for each cell of the picture's cell rule that
// holds a pixel of the mask.
template <typename Visit>
void ForEachTouchedCell(const Picture& picture, const PixelSet& mask, Visit visit) {
  for (int column = 0; column < ByteColumns; ++column) {
    const int h = picture.CellHeightAt(column);
    for (int top = 0; top < PictureHeight; top += h) {
      bool touched = false;
      for (int line = top; line < top + h && !touched; ++line) touched = mask.ByteAt(column, line) != 0;
      if (touched) visit(column, top, h);
    }
  }
}

// Free colour: each cell the mask touches solved again so its stroke
// pixels (the mask's and held's) show the free colour.
bool PaintCellsInColour(Change& change, const Pickers& pickers, const PixelSet& mask, const PaintScope& scope,
                        const PixelSet* held) {
  const Picture& picture = change.Picture();
  const CellPainter painter(*scope.Mixing, scope.Metric, scope.FlickerWeight);
  bool exact = true;
  ForEachTouchedCell(picture, mask, [&](int column, int top, int h) {
    CellPaint cell;
    cell.Lines = h;
    cell.Chosen = pickers.FreeColour;
    for (int row = 0; row < h; ++row) {
      const int line = top + row;
      const int stroke = mask.ByteAt(column, line) | (held ? held->ByteAt(column, line) : 0);
      for (int b = 0; b < 8; ++b) {
        const int p = 8 * row + b, x = column * 8 + b;
        const ZxColour c0 = picture.ScreenColourAt(0, x, line), c1 = picture.ScreenColourAt(1, x, line);
        cell.Shown[static_cast<std::size_t>(p)] = scope.Screen == 0   ? ZxRgb(c0)
                                                  : scope.Screen == 1 ? ZxRgb(c1)
                                                                      : (*scope.Mixing)[c0][c1];
        if (stroke & (0x80 >> b)) cell.Stroke |= std::uint64_t{1} << p;
      }
    }
    const CellColours solved =
        scope.Screen < 0 ? painter.Solve(cell)
                         : painter.SolveScreen(cell, scope.Screen, picture.Attrs[1 - scope.Screen].At(column, top));
    exact = exact && solved.Exact;
    for (int s = 0; s < 2; ++s) {
      if (scope.Screen >= 0 && s != scope.Screen) continue;
      for (int row = 0; row < h; ++row) {
        change.SetAttr(s, column, top + row, solved.Attrs[static_cast<std::size_t>(s)]);
        change.SetPixelByte(s, column, top + row,
                            solved.Rows[static_cast<std::size_t>(s)][static_cast<std::size_t>(row)]);
      }
    }
  });
  return exact;
}

// Each cell the mask touches, as the converted reference has it.
void CopyConvertedCells(Change& change, const PixelSet& mask, const Planes& converted) {
  ForEachTouchedCell(change.Picture(), mask, [&](int column, int top, int h) {
    for (int s = 0; s < 2; ++s)
      for (int line = top; line < top + h; ++line) {
        change.SetAttr(s, column, line, converted.Attrs[s].At(column, top));
        change.SetPixelByte(s, column, line, converted.Pixels[s].At(column, line));
      }
  });
}

}  // namespace

bool PaintMask(Change& change, Pickers& pickers, ToolKind tool, const PixelSet& mask, Pattern pattern,
               const PaintScope& scope, const PixelSet* held) {
  const Picture& picture = change.Picture();
  if (!IsValidCellHeight(picture.CellHeight) || mask.Empty()) return true;
  if (tool == ToolKind::FillCell) {
    mask.ForEach([&](Point p) { PaintPixel(change, pickers, tool, p, scope.Screen); });
    return true;
  }
  if (tool == ToolKind::ConvertBrush) {
    if (scope.Converted) CopyConvertedCells(change, mask, *scope.Converted);
    return true;
  }
  if (pickers.FreeColourMode) return PaintCellsInColour(change, pickers, mask, scope, held);
  // The last pixel, as the pencil would leave its spot; a lone pixel on the
  // spot painted last paints nothing, as the pencil's drag over one pixel.
  Point last{-1, -1};
  mask.ForEach([&](Point p) { last = p; });
  const int h = picture.CellHeight;
  const PaintedSpot spot{last.X / 8, last.Y / h, last.X % 8, last.Y};
  if (mask.Count() == 1 && spot == pickers.LastPaintedSpot) return true;
  pickers.LastPaintedSpot = spot;
  const int second = pickers.PatternEntry;
  const int entryBits[2] = {pickers.SelectedCharColour, second};
  const ColourSet& c = pickers.CurrentColours;
  const auto onScreen = [&](int s) { return scope.Screen < 0 || scope.Screen == s; };
  for (int line = 0; line < PictureHeight; ++line)
    for (int column = 0; column < ByteColumns; ++column) {
      const std::uint8_t touched = mask.ByteAt(column, line);
      if (touched == 0) continue;
      if (pickers.EditModeRgb) {
        // Once per cell line, however many of its pixels the mask holds.
        const int attrLine = picture.AttrLineOf(column, line);
        if (onScreen(0)) change.SetAttr(0, column, attrLine, {c.PAP0, c.INK0});
        if (onScreen(1)) change.SetAttr(1, column, attrLine, {c.PAP1, c.INK1});
      }
      if (!pickers.EditModePix) continue;
      std::uint8_t on[2] = {0, 0};
      for (int b = 0; b < 8; ++b) {
        const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> b);
        if (!(touched & bit)) continue;
        const int entry = entryBits[TakesSecondEntry(pattern, {column * 8 + b, line}) ? 1 : 0];
        if (entry & 2) on[0] |= bit;
        if (entry & 1) on[1] |= bit;
      }
      for (int s = 0; s < 2; ++s) {
        if (!onScreen(s)) continue;
        const std::uint8_t old = picture.Pixels[s].At(column, line);
        change.SetPixelByte(s, column, line, static_cast<std::uint8_t>((old & ~touched) | on[s]));
      }
    }
  return true;
}

}  // namespace chromaloom
