// Flips, the quarter turn and the one-pixel rotations of the selection
// rectangle, on both screens at once. Each takes an undo snapshot first and
// redraws afterwards.
#pragma once

#include "editing/tool_state.h"
#include "picture/document.h"
#include "render/view.h"

namespace chromaloom {

void FlipSelectionHorizontal(Document& document, View& view, const CellSelection& selection);
void FlipSelectionVertical(Document& document, View& view, const CellSelection& selection);
void RotateSelection90cw(Document& document, View& view, const CellSelection& selection);
void RotatePixelsLeft(Document& document, View& view, const CellSelection& selection);
void RotatePixelsRight(Document& document, View& view, const CellSelection& selection);
void RotatePixelsUp(Document& document, View& view, const CellSelection& selection);
void RotatePixelsDown(Document& document, View& view, const CellSelection& selection);

}  // namespace chromaloom
