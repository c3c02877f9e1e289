// The options of the drawing tools beside the tool itself: the brush, the
// pattern, the symmetry and whether shapes are filled.
#pragma once

#include <cstdint>

#include "picture/picture.h"

namespace chromaloom {

enum class SymmetryMode : std::uint8_t { None, LeftRight, TopBottom, FourWay };

// Mirror axes in half pixels: AxisX2 = 2 x the x of the vertical axis, so
// an axis may run between two pixels (even) or through a pixel's middle (odd).
struct Symmetry {
  SymmetryMode Mode = SymmetryMode::None;
  int AxisX2 = PictureWidth;
  int AxisY2 = PictureHeight;
  bool MirrorsX() const { return Mode == SymmetryMode::LeftRight || Mode == SymmetryMode::FourWay; }
  bool MirrorsY() const { return Mode == SymmetryMode::TopBottom || Mode == SymmetryMode::FourWay; }
  friend bool operator==(const Symmetry&, const Symmetry&) = default;
};

// The brush that draws outlines: a square or a disc of Size pixels across.
enum class BrushShape : std::uint8_t { Square, Round };
constexpr int MaxBrushSize = 8;
struct Brush {
  int Size = 1;
  BrushShape Shape = BrushShape::Square;
  friend bool operator==(const Brush&, const Brush&) = default;
};

// Two colour entries in a pattern anchored to the picture, so strokes that
// meet continue it. Ordered patterns follow a 4 x 4 Bayer matrix; its 50 %
// is the checkerboard.
enum class Pattern : std::uint8_t { Solid, Checkerboard, Ordered25, Ordered75, HorizontalLines, VerticalLines };

// The tool options beside the tool itself.
struct DrawingOptions {
  chromaloom::Brush Brush;
  chromaloom::Pattern Pattern = Pattern::Solid;
  chromaloom::Symmetry Symmetry;
  bool Filled = false;  // rectangles and ellipses paint their insides too
  friend bool operator==(const DrawingOptions&, const DrawingOptions&) = default;
};

}  // namespace chromaloom
