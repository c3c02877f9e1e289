// Flips, the quarter turn and the one-pixel rotations of the selection
// rectangle, on both screens at once.
#pragma once

namespace chromaloom {

class Editor;

void FlipSelectionHorizontal(Editor& editor);
void FlipSelectionVertical(Editor& editor);
void RotateSelection90cw(Editor& editor);
void RotatePixelsLeft(Editor& editor);
void RotatePixelsRight(Editor& editor);
void RotatePixelsUp(Editor& editor);
void RotatePixelsDown(Editor& editor);

}  // namespace chromaloom
