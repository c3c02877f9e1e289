// The drawing tools: what presses and moves on the canvas do to the picture.
// Coordinates are canvas (editor image) pixels.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "editing/editing_state.h"
#include "picture/zx_colour.h"

namespace chromaloom {

class Editor;

struct MouseButtons {
  bool Left = false;
  bool Right = false;
  bool Other = false;  // middle or any other button
  bool Any() const { return Left || Right || Other; }
};

// What the window has to show after a canvas event besides the canvas itself.
struct CanvasFeedback {
  // New captions of the status bar's X, Y, cell X and cell Y.
  std::optional<std::array<std::string, 4>> StatusTexts;
  // New colours of the status bar's cell swatches.
  std::optional<CharPalette> CellPalette;
  // The current colours changed (right-button pick): pickers and marks follow.
  bool ColoursPicked = false;
};

// Does not touch the shape in progress or the selection.
void SelectInstrument(Editor& editor, InstrumentKind kind);

// The painting rule at one canvas point.
CanvasFeedback PaintAt(Editor& editor, int x, int y);
void PlotPixel(Editor& editor, int px, int py);
// Bresenham over picture pixels; both end points are painted.
void DrawLine(Editor& editor, Point from, Point to);
void DrawRectOutline(Editor& editor, Point corner0, Point corner1);
// Copies the cell's four colours into the current colours.
void PickCellColours(Editor& editor, int x, int y);
// The four mixed colours of the cell under the point.
CharPalette CellPaletteAt(const Editor& editor, int x, int y);
// The colour of the selected CharPalette entry from the current colours.
Rgb SelectedCharColourRgb(const Editor& editor);

// The canvas handlers, step by step. pressed: the button of a press;
// held: the buttons held during a move.
CanvasFeedback CanvasMouseDown(Editor& editor, MouseButtons pressed, int x, int y);
CanvasFeedback CanvasMouseMove(Editor& editor, MouseButtons held, int x, int y);
void CanvasMouseUp(Editor& editor);

}  // namespace chromaloom
