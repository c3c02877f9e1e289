// Flips, the quarter turn and the one-pixel rotations of the selection
// rectangle, on both screens at once, each one undo step.
#pragma once

#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "picture/document.h"

namespace chromaloom {

void FlipSelectionHorizontal(Document& document, const CellSelection& selection);
void FlipSelectionVertical(Document& document, const CellSelection& selection);
// The quarter turn keeps the block's top-left corner. With square cells
// and a square block the cells turn as they are; otherwise the turned
// colours of every pixel, screen by screen, are given to the cells the
// turned block covers (exactly wherever a cell's PAPER and INK can show
// them, never at the cost of a pixel outside both blocks), and what the old
// block leaves uncovered is cleared as Delete clears it.
void RotateSelection90cw(Document& document, const CellSelection& selection, const Pickers& pickers);
void RotateSelection90cw(Document& document, const CellSelection& selection);
void RotatePixelsLeft(Document& document, const CellSelection& selection);
void RotatePixelsRight(Document& document, const CellSelection& selection);
void RotatePixelsUp(Document& document, const CellSelection& selection);
void RotatePixelsDown(Document& document, const CellSelection& selection);

}  // namespace chromaloom
