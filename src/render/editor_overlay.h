// What the canvas shows over the picture besides the picture itself: the
// rubber band of a shape being drawn and the selection's marching ants. The
// tools decide it from their state; the renderer draws it.
#pragma once

#include <cstdint>

#include "picture/geometry.h"
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
  friend bool operator==(const EditorOverlay&, const EditorOverlay&) = default;
};

}  // namespace chromaloom
