// What every drawing tool shares: the points of its shapes, the brush that
// widens them, the symmetry that mirrors them, the pattern that colours
// them, and the one rule that paints them. A tool collects its points in a
// PixelSet and paints the mask, so each pixel is painted once, as the
// pencil paints a spot.
#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

#include "convert/image_conversion.h"
#include "editing/colour_pickers.h"
#include "editing/drawing_options.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "picture/geometry.h"
#include "picture/raster.h"

namespace chromaloom {

// Whether the pixel takes the pattern's second entry rather than the chosen one.
bool TakesSecondEntry(Pattern pattern, Point pixel);

// Shapes. Corners are the picture pixels of a box's opposite corners,
// both included; outlines are drawn with the brush, insides pixel by pixel.
void AddBrushStamp(PixelSet& mask, Point centre, const Brush& brush);
void AddLine(PixelSet& mask, Point from, Point to, const Brush& brush);
void AddRect(PixelSet& mask, Point corner0, Point corner1, const Brush& brush, bool filled);
void AddEllipse(PixelSet& mask, Point corner0, Point corner1, const Brush& brush, bool filled);
// The second corner moved so the box is a square (a circle's box), as far
// across as the larger side, towards the pointer.
Point SquareCorner(Point corner0, Point corner1);

// The 4-connected region of pixels whose shown colour equals the seed's
// (shown: the 256 x 192 picture as the view shows it). Empty for a seed off it.
PixelSet FloodRegion(const Raster& shown, Point seed, Symmetry symmetry = {});

// What painting reaches besides the colours: the screen the view shows
// alone (-1: both), and for free colour the mixed colours the view shows
// and the metric and flicker weight that judge a cell's other pixels.
struct PaintScope {
  int Screen = -1;
  const MixedColourTableType* Mixing = &MixedColourTable;
  ColourMetric Metric = ColourMetric::Srgb;
  double FlickerWeight = 0.0;
  // The reference image converted as the import would: the convert brush
  // copies its cells. None: the brush has nothing to paint.
  const Planes* Converted = nullptr;
};

// The painting rule on every pixel of the mask: in PIX mode each takes the
// chosen entry, or the pattern's second one; in RGB mode each cell line the
// mask touches takes the current colours once. Fill Char fills the cell rows.
// In free colour each cell the mask touches is solved again so the mask's
// pixels and held's (the stroke's earlier ones) show the free colour.
// The convert brush copies every cell the mask touches from the converted
// reference, both screens' pixels and attributes.
// Returns false when some cell could not show the free colour exactly.
bool PaintMask(Change& change, Pickers& pickers, ToolKind tool, const PixelSet& mask, Pattern pattern,
               const PaintScope& scope = {}, const PixelSet* held = nullptr);

}  // namespace chromaloom
