// The drawing tools: what presses and moves on the canvas do to the picture
// and to the tools' state. Canvas coordinates are pixels of the editor image;
// picture coordinates are the picture's own 256 x 192 pixels.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "editing/colour_pickers.h"
#include "editing/drawing.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "picture/mixing_profile.h"
#include "render/editor_overlay.h"

namespace chromaloom {

struct MouseButtons {
  bool Left = false;
  bool Right = false;
  bool Other = false;  // middle or any other button
  bool Shift = false;  // held with them: shapes keep square
  bool Any() const { return Left || Right || Other; }
};

// What the window has to show after a canvas event besides the canvas itself.
struct CanvasFeedback {
  // New texts of the four position labels of the status bar: the picture
  // pixel under the pointer and its cell, with every tool.
  std::optional<std::array<std::string, 4>> StatusTexts;
  // New colours of the status bar's cell-palette swatches.
  std::optional<CharPalette> CellPalette;
  // The current colours changed (right-button pick): pickers and marks follow.
  bool ColoursPicked = false;
  // Free colour: some cell could not show the colour, so it shows the nearest.
  bool ColourNotShown = false;
};

// The painting rule at one picture pixel with the current colours and tool,
// as part of the change, on both screens or on screen `screen` alone. False
// off the picture.
bool PaintPixel(Change& change, Pickers& pickers, ToolKind tool, Point pixel, int screen = -1);

// What a canvas event reaches: the picture, the tools, the colours, and how
// the canvas is drawn.
struct Canvas {
  Document& Doc;
  ToolState& Tools;
  Pickers& Colours;
  int Scale = 4;  // editor image pixels per picture pixel
  const MixingProfile& Mixing;
  // The picture as the view in use shows it (mixed, a screen); none: mixed.
  const Raster* Shown = nullptr;
  // The screen painting reaches and what free colour judges by.
  PaintScope Scope = {};
};

// Copies the cell's four colours into the current colours.
void PickCellColours(const Picture& picture, Pickers& pickers, Point pixel);
// The four mixed colours of the cell under a picture pixel (clamped onto the picture).
CharPalette CellPaletteAt(const Picture& picture, Point pixel, const MixingProfile& mixing = {});

// The canvas handlers, step by step. pressed: the buttons held at a press;
// held: the buttons held during a move. A pencil or fill stroke begins with
// a left press on the canvas and ends at the release; each move paints the
// line from the stroke's last point, so a fast drag leaves no gaps. While a
// paste floats, moves carry it and a left press places it; nothing else acts.
CanvasFeedback CanvasMouseDown(Canvas canvas, MouseButtons pressed, Point at);
CanvasFeedback CanvasMouseMove(Canvas canvas, MouseButtons held, Point at);
void CanvasMouseUp(ToolState& tools);

// The text tool: letters typed at the caret show at once; a commit makes
// them one step, a cancel takes them back out.
void TypeText(Canvas canvas, std::u32string_view letters);
void EraseLetter(Canvas canvas);
void CommitText(ToolState& tools);
void CancelText(ToolState& tools);
const TextFace& TextFaceOf(const ToolState& tools);

// Puts the symmetry's axes through the pointer's last canvas point, snapped
// to half pixels, at scale z.
void MoveAxesTo(ToolState& tools, int z);

// What the canvas shows over the picture for the tools' state, at scale z
// and cell height h (0: a damaged picture shows no selection). A floating
// paste shows as the picture would look once placed.
EditorOverlay CanvasOverlay(const Picture& picture, const ToolState& tools, const Pickers& pickers,
                            const MixingProfile& mixing, int z, int h);

}  // namespace chromaloom
