// What the canvas shows over the picture besides the picture itself: the
// rubber band of a shape being drawn, the selection's marching ants, a
// paste floating before it is placed, the brush, the symmetry axes and the
// text caret. The tools decide it from their state;
// the renderer draws it.
#pragma once

#include <cstdint>
#include <optional>

#include "picture/geometry.h"
#include "picture/raster.h"
#include "picture/zx_colour.h"

namespace chromaloom {

struct EditorOverlay {
  enum class Shape : std::uint8_t { None, Line, Rect, Ellipse };
  Shape Band = Shape::None;
  Point From;  // editor image points: the shape's first point and the pointer
  Point To;
  int PenWidth = 1;
  Rgb Colour = 0;
  bool Ants = false;
  Rect AntsArea;  // on the editor image
  // A floating paste: its pixels one per picture pixel, enlarged to the
  // scale at FloatAt, and ants around FloatOutline (both on the editor image).
  bool Floats = false;
  Raster FloatPixels;
  Point FloatAt;
  Rect FloatOutline;
  // The brush's outline at the pointer (a square, or the disc in it).
  Rect BrushOutline;
  bool BrushRound = false;
  Rgb BrushColour = 0;
  // Symmetry axes across the image at these editor image columns and rows,
  // each with a square handle of this size at its start.
  std::optional<int> AxisX;
  std::optional<int> AxisY;
  int AxisHandleSize = 0;
  // The text tool's caret.
  Rect Caret;
  friend bool operator==(const EditorOverlay&, const EditorOverlay&) = default;
};

}  // namespace chromaloom
