// The rows of the enlarged picture: each picture pixel repeated z times,
// with the grids' dots where they are on. The canvas paints every row of
// what the window shows this way, so the rows are made with the widest
// stores the processor has.
#pragma once

#include <optional>

#include "picture/zx_colour.h"

namespace chromaloom {

struct EnlargedRow {
  const Rgb* Source = nullptr;  // the picture line
  int Z = 1;
  std::optional<Rgb> PixelDot;  // at the start of every pixel: the pixel grid
  std::optional<Rgb> CellDot;   // at the start of every cell, over the pixel dot: the char grid
};

// Editor x [x0, x1) of the row into out; out[0] is x0.
void PaintEnlargedRow(const EnlargedRow& row, int x0, int x1, Rgb* out);
// The same, a run of equal pixels at a time, on any processor: what the
// fast path must equal.
void PaintEnlargedRowByRuns(const EnlargedRow& row, int x0, int x1, Rgb* out);

// A dotted line, even, odd, even... by editor x, over [x0, x1) into out.
void PaintDottedRow(Rgb even, Rgb odd, int x0, int x1, Rgb* out);

}  // namespace chromaloom
