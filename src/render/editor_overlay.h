// What the canvas shows over the picture besides the picture itself: the
// rubber band of a shape being drawn, the selection's marching ants and a
// paste floating before it is placed. The tools decide it from their state;
// the renderer draws it.
#pragma once

#include <cstdint>

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
  friend bool operator==(const EditorOverlay&, const EditorOverlay&) = default;
};

}  // namespace chromaloom
