// The drawing tools: what presses and moves on the canvas do to the picture.
// Canvas coordinates are pixels of the editor image; picture coordinates are
// the picture's own 256 x 192 pixels.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "render/view.h"

namespace chromaloom {

struct MouseButtons {
  bool Left = false;
  bool Right = false;
  bool Other = false;  // middle or any other button
  bool Any() const { return Left || Right || Other; }
};

// What the window has to show after a canvas event besides the canvas itself.
struct CanvasFeedback {
  // New texts of the four position labels of the status bar.
  std::optional<std::array<std::string, 4>> StatusTexts;
  // New colours of the status bar's cell-palette swatches.
  std::optional<CharPalette> CellPalette;
  // The current colours changed (right-button pick): pickers and marks follow.
  bool ColoursPicked = false;
};

// The painting rule at one picture pixel with the current colours and tool:
// changes the document only. Returns the status texts of the spot, nullopt
// off the picture.
std::optional<std::array<std::string, 4>> PaintPixel(Document& document, Pickers& pickers, ToolKind tool,
                                                      Point pixel);

// What a canvas event reaches: the picture, its view, the tools and the colours.
struct Canvas {
  Document& Doc;
  View& Display;
  ToolState& Tools;
  Pickers& Colours;
};

// PaintPixel at a canvas point, and the cell re-rendered.
CanvasFeedback PaintAt(Canvas canvas, Point at);
// Bresenham over picture pixels between two canvas points; both ends are painted.
void DrawLine(Canvas canvas, Point from, Point to);
void DrawRectOutline(Canvas canvas, Point corner0, Point corner1);
// Copies the cell's four colours into the current colours.
void PickCellColours(const Picture& picture, Pickers& pickers, Point pixel);
// The four mixed colours of the cell under a picture pixel (clamped onto the picture).
CharPalette CellPaletteAt(const Picture& picture, Point pixel, const MixingProfile& mixing = {});

// The canvas handlers, step by step. pressed: the buttons held at a press;
// held: the buttons held during a move.
CanvasFeedback CanvasMouseDown(Canvas canvas, MouseButtons pressed, Point at);
CanvasFeedback CanvasMouseMove(Canvas canvas, MouseButtons held, Point at);
void CanvasMouseUp(ToolState& tools);

// One tick of the 100 ms timer: lifts the input pause and moves the ants of
// a shown selection on.
void TickSelectionAnts(const Document& document, View& view, ToolState& tools);

}  // namespace chromaloom
