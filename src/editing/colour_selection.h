// The colour pickers: the full palette, the four ZX strips, the char-palette
// entries, the border palette and the gradient locator, with the images they
// show (the clean palettes plus markers and the locator's blinking cells).
#pragma once

#include <array>
#include <vector>

#include "picture/raster.h"
#include "render/renderer.h"

namespace chromaloom {

class Editor;

// The four strips, in the order of their rows: "PAP0", "INK0", "PAP1", "INK1".
enum class StripKind { PAP0 = 0, INK0 = 1, PAP1 = 2, INK1 = 3 };

// The gradient locator's 9 x 9 swatch (top-left corner) of pair (screen-0 a, screen-1 b).
Point GradientSwatchCorner(int a, int b);
// The 76 x 229 locator image: the swatches on black.
Raster MakeGradientImage();

// What the pickers show; the window displays these rasters 1:1.
struct PickerImages {
  Raster Full;                  // 240 x 240, the full palette
  std::array<Raster, 4> Strips; // 240 x 16 each, in StripKind order
  Raster Border;                // 144 x 48, the border palette
  Raster Gradient;              // 76 x 229, the gradient locator
  PickerImages();
};

// The gradient locator's blinking cells on the full palette.
struct BlinkState {
  std::vector<Point> Cells;  // full-palette cell origins, multiples of 16
  int Countdown = 0;         // ticks left
  Rgb RestoreColour = MakeRgb(0, 0, 0);
  bool Running = false;      // the locator's blink timer runs
};

// The marker of a chosen swatch: an 8 x 8 square, black outline and white
// inside, on pixels 4..11 of the 16 x 16 swatch (column, row).
void DrawMarker(Raster& image, int column, int row);

// Pickers: each empties LastPaintedSpot, changes the current colours and
// refreshes the picker images.
void PickFullPalette(Editor& editor, int x, int y);
void PickStrip(Editor& editor, StripKind strip, int x);
// Keys 1..4 and the char-palette panels.
void SetCharColour(Editor& editor, int k);
// The PAPn / INKn selectors: one screen's bit of the selected entry.
void ApplyCharBits(Editor& editor, int screen, int bit);
// A click on the border palette.
void PickBorder(Editor& editor, int x, int y);

// Strips and full palette restored and marked for the current colours.
void RefreshColourPickers(Editor& editor);
// The border palette restored and marked at the current choice.
void RefreshBorderPicker(Editor& editor);

// Gradient locator: a click collects the cells of the colour under it and
// starts the blink (returns whether it runs); each tick blinks once and
// returns whether the timer goes on.
bool StartLocatorBlink(Editor& editor, int x, int y);
bool GradientTick(Editor& editor);

}  // namespace chromaloom
