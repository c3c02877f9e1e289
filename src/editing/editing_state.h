// What the user draws with: tool, edit modes, colours, and the state the
// canvas keeps between mouse events.
#pragma once

#include <cstdint>

#include "picture/zx_colour.h"
#include "render/renderer.h"

namespace chromaloom {

enum class InstrumentKind : std::uint8_t { Paint = 0, FillChar = 1, Line = 2, Rect = 3, Ellipse = 4, Select = 255 };

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

struct EditingState {
  InstrumentKind CurrentInstrument = InstrumentKind::Paint;
  bool EditModePix = true;
  bool EditModeRgb = true;
  // The CharPalette entry that paints: 2 x screen-0 bit + screen-1 bit.
  int SelectedCharColour = 0;
  ColourSet CurrentColours;
  PaintedSpot LastPaintedSpot;
  bool ShapeInProgress = false;
  Point ShapeStart;         // canvas coordinates
  Point LastCanvasPointer;  // canvas coordinates

  int ScreenBit(int screen) const { return screen == 0 ? SelectedCharColour / 2 : SelectedCharColour % 2; }
};

}  // namespace chromaloom
