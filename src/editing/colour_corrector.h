// The colour corrector: one chosen cell, its 3 x 3 neighbourhood shown on
// each screen, its four colours, and the exchange of the cell between screens.
#pragma once

#include <array>

#include "picture/document.h"
#include "picture/raster.h"

namespace chromaloom {

constexpr int CorrectorDetailSize = 98;

struct CorrectorState {
  int Column = 0;
  int Row = 0;  // in cells of the current cell height; not adjusted when it changes
  // What the corrector panel shows besides the two screen views.
  Raster Detail0{CorrectorDetailSize, CorrectorDetailSize};  // screen 0's neighbourhood
  Raster Detail1{CorrectorDetailSize, CorrectorDetailSize};  // screen 1's neighbourhood
  std::array<Raster, 4> Strips;                              // PAP0, INK0, PAP1, INK1 of the cell, marked
  CorrectorState();
};

// The cell the corrector works on: the chosen one, its row clamped onto the
// picture. A row chosen under a lower cell height can lie past line 191
// after a mode change; showing, outlining and exchanging then all use the
// last row, so what is marked is what gets exchanged.
struct CorrectorCellArea {
  int Column = 0;
  int Row = 0;
  int Height = 1;  // the cell height, in every column
};
CorrectorCellArea CorrectorCellInPicture(const Picture& picture, const CorrectorState& corrector);

// The corrector images (512 x 384, each screen at 2:1) and the screens
// they were drawn from, as of the last full render: painting a cell does
// not reach them.
struct CorrectorSurfaces {
  Raster& Screen0;
  Raster& Screen1;
  const Raster& Source0;
  const Raster& Source1;
};

// Where the chosen cell lies on either corrector image.
Rect CorrectorCellOnImage(const Picture& picture, const CorrectorState& corrector);
// A press on either corrector image at (x, y) of its 512 x 384 pixels:
// removes the old cell's outline, chooses the cell under the press and shows
// it. Presses off the image are clamped onto its edge.
void ChooseCorrectorCell(CorrectorState& corrector, const Picture& picture, CorrectorSurfaces surfaces, int x, int y);
// Strips with the cell's four colours marked, and the two 3 x 3 detail
// images from the screens the corrector shows.
void UpdateCorrectorDetails(CorrectorState& corrector, const Picture& picture, const Raster& source0,
                            const Raster& source1);
// "Exchange Chars between screens": the cell's pixels and attribute entries
// trade places between screen 0 and screen 1, as one undo step ("Exchange Cells"). The
// corrector images follow once the screens are rendered again.
void ExchangeCorrectorCell(const CorrectorState& corrector, Document& document);

}  // namespace chromaloom
