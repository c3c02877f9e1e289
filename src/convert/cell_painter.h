// Painting in any colour: one cell solved again so the pixels a stroke
// painted show the chosen colour, exactly whenever some pair of attribute
// bytes can show it, and the cell's other pixels keep their colours as
// closely as such a pair allows (the import's metric and flicker weight).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "convert/image_conversion.h"
#include "picture/picture.h"
#include "picture/zx_colour.h"

namespace chromaloom {

// A cell as it shows now and the pixels that take the chosen colour.
struct CellPaint {
  int Lines = 8;                // the cell's height, 1 to 8
  std::array<Rgb, 64> Shown{};  // row by row, 8 pixels a row
  std::uint64_t Stroke = 0;     // bit 8 * row + x: the pixel takes Chosen
  Rgb Chosen = 0;
};

// Both screens' attributes (one per screen for the whole cell) and pixel rows.
struct CellColours {
  std::array<AttrEntry, 2> Attrs{};
  std::array<std::array<std::uint8_t, 8>, 2> Rows{};
  bool Exact = false;  // every stroke pixel shows the chosen colour
};

class CellPainter {
 public:
  // table: the mixed colours as the view shows them.
  CellPainter(const MixedColourTableType& table, ColourMetric metric, double flickerWeight);
  // Among the attribute pairs that can show the chosen colour, the one
  // whose stroke pixels show it and whose other pixels come nearest their
  // colours (flicker weighed in); with none, the pair that brings the
  // stroke nearest the chosen colour, then the other pixels. Ties go to
  // the first pair in the order of ZX colour numbers.
  CellColours Solve(const CellPaint& cell) const;
  // One screen alone (Screen 0 or Screen 1 view): its own colours, plain.
  CellColours SolveScreen(const CellPaint& cell, int screen, const AttrEntry& otherAttr) const;

 private:
  struct Colour {
    float X = 0, Y = 0, Z = 0;
  };
  Colour Metric(Rgb c) const;
  float Distance(const Colour& a, const Colour& b) const;

  const MixedColourTableType& table_;
  ColourMetric metric_;
  std::array<Colour, ZxColourCount * ZxColourCount> mixed_{};
  std::array<float, ZxColourCount * ZxColourCount> flicker_{};  // weighted
  std::array<Colour, ZxColourCount> plain_{};
};

}  // namespace chromaloom
