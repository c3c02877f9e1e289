// The colour corrector: one chosen cell, its 3 x 3 neighbourhood shown on
// each screen, its four colours, and the exchange of the cell between screens.
#pragma once

#include <array>

#include "picture/document.h"
#include "picture/raster.h"
#include "render/view.h"

namespace chromaloom {

constexpr int CorrectorDetailSize = 98;

struct CorrectorState {
  int Column = 0;
  int Row = 0;  // in cells of the current cell height; not adjusted when it changes
  // What the corrector panel shows besides the two screen views.
  Raster Detail0{CorrectorDetailSize, CorrectorDetailSize};  // screen 0's neighbourhood
  Raster Detail1{CorrectorDetailSize, CorrectorDetailSize};  // screen 1's neighbourhood
  std::array<Raster, 4> Strips;  // PAP0, INK0, PAP1, INK1 of the cell, marked
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

// A press on either corrector image at (x, y) of its 512 x 384 pixels:
// removes the old cell's outline, chooses the cell under the press and shows
// it. Presses off the image are clamped onto its edge.
void ChooseCorrectorCell(CorrectorState& corrector, const Picture& picture, Renderer& render, int x, int y);
// Strips with the cell's four colours marked, and the two 3 x 3 detail images.
void UpdateCorrectorDetails(CorrectorState& corrector, const Picture& picture, const Renderer& render);
// "Exchange Chars between screens": the cell's pixels and attribute entries
// trade places between screen 0 and screen 1, as one undo step ("Exchange
// Cells"). Redraws only the corrector's images; the editor image and the
// preview are the view's to redraw.
void ExchangeCorrectorCell(CorrectorState& corrector, Document& document, Renderer& render);
// The panel is being shown: both screens rendered afresh, details updated.
void ShowCorrector(CorrectorState& corrector, const Picture& picture, Renderer& render);
// One timer tick's outline around the cell on both corrector images.
void DrawCorrectorAnts(const CorrectorState& corrector, const Picture& picture, View& view);

}  // namespace chromaloom
