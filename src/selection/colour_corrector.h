// The colour corrector: one chosen cell, its 3 x 3 neighbourhood shown on
// each screen, its four colours, and the exchange of the cell between screens.
#pragma once

#include <array>

#include "picture/raster.h"

namespace chromaloom {

class Editor;

constexpr int CorrectorDetailSize = 98;

struct CorrectorState {
  int Column = 0;
  int Row = 0;  // in cells of the current char mode; not adjusted when the mode changes
  // What the corrector panel shows besides the two screen views.
  Raster Detail0{CorrectorDetailSize, CorrectorDetailSize};  // screen 0's cell detail
  Raster Detail1{CorrectorDetailSize, CorrectorDetailSize};  // screen 1's cell detail
  std::array<Raster, 4> Strips;  // PAP0, INK0, PAP1, INK1
  CorrectorState();
};

// The cell the corrector works on: the chosen one, its row clamped onto the
// picture. A row chosen under a lower cell height can lie past line 191
// after a mode change; showing, outlining and exchanging then all use the
// last row, so what is marked is what gets exchanged.
struct CorrectorCellArea {
  int Column = 0;
  int Row = 0;
  int Height = 1;  // the char mode's cell height, in every column
};
CorrectorCellArea CorrectorCellInPicture(const Editor& editor);

// A press on either corrector image at (x, y) of its 512 x 384 pixels:
// removes the old cell's outline, chooses the cell under the press and shows
// it. Presses off the image are clamped onto its edge.
void ChooseCorrectorCell(Editor& editor, int x, int y);
// Strips with the cell's four colours marked, and the two 3 x 3 detail images.
void UpdateCorrectorDetails(Editor& editor);
// "Exchange Chars between screens": the cell's pixels and attribute entries
// trade places between screen 0 and screen 1. Takes no undo snapshot and
// leaves the editor image and the preview as they are.
void ExchangeCorrectorCell(Editor& editor);
// The panel is being shown: both screens rendered afresh, details updated.
void ShowCorrector(Editor& editor);
// One timer tick's outline around the cell on both corrector images.
void DrawCorrectorAnts(Editor& editor);

}  // namespace chromaloom
