// The colour pickers: the current colours and the char-palette entry that
// paints, and the images the pickers show (full palette, the four ZX strips,
// the border palette, the gradient locator and its blinking cells).
#pragma once

#include <array>
#include <vector>

#include "picture/document.h"
#include "picture/mixing_profile.h"
#include "picture/raster.h"

namespace chromaloom {

// The PAPER and INK that painting writes into each screen's attributes.
struct ColourSet {
  ZxColour PAP0 = 0;
  ZxColour INK0 = 0;
  ZxColour PAP1 = 0;
  ZxColour INK1 = 0;
  friend bool operator==(const ColourSet&, const ColourSet&) = default;
};

// The spot the last paint handled, so a drag over one pixel paints it once.
struct PaintedSpot {
  int Column = -1;  // -1: empty
  int CellRow = 0;
  int Bit = 0;
  int Line = 0;
  bool IsEmpty() const { return Column < 0; }
  friend bool operator==(const PaintedSpot&, const PaintedSpot&) = default;
};

struct Pickers {
  ColourSet CurrentColours;
  // The CharPalette entry that paints: 2 x screen-0 bit + screen-1 bit.
  int SelectedCharColour = 0;
  // The entry a pattern paints beside the selected one.
  int PatternEntry = 0;
  bool EditModePix = true;  // painting sets pixels
  bool EditModeRgb = true;  // painting sets attributes
  // Free colour: painting shows FreeColour, each touched cell solved anew
  // (PIX and RGB wait meanwhile).
  bool FreeColourMode = false;
  Rgb FreeColour = MakeRgb(0, 0, 0);
  // Emptied whenever the colours or the entry change, so the same spot paints again.
  PaintedSpot LastPaintedSpot;

  int ScreenBit(int screen) const { return screen == 0 ? SelectedCharColour / 2 : SelectedCharColour % 2; }
};

// The colour of the selected CharPalette entry from the current colours.
Rgb SelectedCharColourRgb(const Pickers& pickers, const MixingProfile& mixing = {});

// The four strips, in the order of their rows: "PAP0", "INK0", "PAP1", "INK1".
enum class StripKind { PAP0 = 0, INK0 = 1, PAP1 = 2, INK1 = 3 };

// The gradient locator's 9 x 9 swatch (top-left corner) of pair (screen-0 a, screen-1 b).
Point GradientSwatchCorner(int a, int b);
// The 76 x 229 locator image: the swatches on a clear background (alpha 0).
Raster MakeGradientImage(const MixedColourTableType& table = MixedColourTable);

// The gradient locator's blinking cells on the full palette.
struct BlinkState {
  std::vector<Point> Cells;  // full-palette cell origins, multiples of 16
  int Countdown = 0;         // ticks left
  Rgb RestoreColour = MakeRgb(0, 0, 0);
  bool Running = false;  // the blink timer runs
};

// What the pickers show; the window displays these rasters 1:1. The mixed
// colours follow the view's mixing profile (ShowMixing).
struct PickerImages {
  Raster Full;                   // 240 x 240
  std::array<Raster, 4> Strips;  // 240 x 16 each, in StripKind order
  Raster Border;                 // 144 x 48
  Raster Gradient;               // 76 x 229
  BlinkState Blink;
  // The palettes without markers, in the current mixing: what a refresh starts from.
  Raster CleanFull;
  Raster CleanBorder;
  PickerImages();
};

// The marker of a chosen swatch: an 8 x 8 square, black outline and white
// inside, on pixels 4..11 of the 16 x 16 swatch (column, row).
void DrawMarker(Raster& image, int column, int row);

// Pickers: each empties LastPaintedSpot, changes the current colours and
// refreshes the picker images.
void PickFullPalette(Pickers& pickers, PickerImages& images, int x, int y);
void PickStrip(Pickers& pickers, PickerImages& images, StripKind strip, int x);
// Keys 1..4 and the char-palette entries.
void SetCharColour(Pickers& pickers, int k);
// The PAPER/INK selectors beside the strips: one screen's bit of the selected entry.
void ApplyCharBits(Pickers& pickers, int screen, int bit);
// A border swatch chosen by its place in the table; a choice outside it is ignored.
void SelectBorder(Document& document, PickerImages& images, int column, int row);
// A click on the border palette; a point off the table is ignored.
void PickBorder(Document& document, PickerImages& images, int x, int y);

// The palettes and the locator in another mixing, marked as before; a
// running blink stops.
void ShowMixing(PickerImages& images, const MixingProfile& mixing, const ColourSet& colours, BorderChoice border);

// Strips and full palette restored and marked for the current colours.
void RefreshColourPickers(PickerImages& images, const ColourSet& colours);
// The border palette restored and marked at the choice.
void RefreshBorderPicker(PickerImages& images, BorderChoice choice);

// Gradient locator: a click collects the cells of the colour under it and
// starts the blink (returns whether it runs); each tick blinks once and
// returns whether the timer goes on.
bool LocateGradientColour(PickerImages& images, const ColourSet& colours, int x, int y);
bool LocatorBlinkTick(PickerImages& images, const ColourSet& colours);

}  // namespace chromaloom
