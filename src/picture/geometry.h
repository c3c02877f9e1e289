// Points, rectangles and the one line routine, shared by every level.
#pragma once

#include <cstdlib>

namespace chromaloom {

struct Point {
  int X = 0;
  int Y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int X = 0;
  int Y = 0;
  int W = 0;
  int H = 0;

  bool IsEmpty() const { return W <= 0 || H <= 0; }
  int Right() const { return X + W; }   // one past the last column
  int Bottom() const { return Y + H; }  // one past the last row
  Rect Intersected(const Rect& o) const;
  Rect United(const Rect& o) const;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Division rounded towards minus infinity (b > 0): points left of or above
// an image land in negative cells, never in cell 0.
constexpr int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Bresenham from one end to the other, both ends included; visit(Point)
// is called once per point, in order from `from`.
template <typename Visit>
void ForEachLinePoint(Point from, Point to, Visit visit) {
  const int dx = std::abs(to.X - from.X), sx = from.X < to.X ? 1 : -1;
  const int dy = -std::abs(to.Y - from.Y), sy = from.Y < to.Y ? 1 : -1;
  int err = dx + dy;
  Point p = from;
  for (;;) {
    visit(p);
    if (p == to) return;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      p.X += sx;
    }
    if (e2 <= dx) {
      err += dx;
      p.Y += sy;
    }
  }
}

}  // namespace chromaloom
