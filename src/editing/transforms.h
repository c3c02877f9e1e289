// Flips, the quarter turn and the one-pixel rotations of the selection
// rectangle, on both screens at once, each one undo step.
#pragma once

#include "editing/tool_state.h"
#include "picture/document.h"

namespace chromaloom {

void FlipSelectionHorizontal(Document& document, const CellSelection& selection);
void FlipSelectionVertical(Document& document, const CellSelection& selection);
void RotateSelection90cw(Document& document, const CellSelection& selection);
void RotatePixelsLeft(Document& document, const CellSelection& selection);
void RotatePixelsRight(Document& document, const CellSelection& selection);
void RotatePixelsUp(Document& document, const CellSelection& selection);
void RotatePixelsDown(Document& document, const CellSelection& selection);

}  // namespace chromaloom
