// The options of the drawing tools beside the tool itself (the brush, the
// pattern, the symmetry and whether shapes are filled) and the set of
// picture pixels a tool paints.
#pragma once

#include <bitset>
#include <cstdint>

#include "picture/geometry.h"
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

// Whether a picture pixel lies on the picture.
constexpr bool IsOnPicture(Point p) { return p.X >= 0 && p.X < PictureWidth && p.Y >= 0 && p.Y < PictureHeight; }

// A set of picture pixels. Each point added brings its mirror images;
// points off the picture are left out.
class PixelSet {
 public:
  PixelSet() = default;
  explicit PixelSet(Symmetry symmetry) : symmetry_(symmetry) {}
  void Add(Point p);
  bool Has(Point p) const;
  int Count() const { return static_cast<int>(bits_.count()); }
  bool Empty() const { return bits_.none(); }
  // Row by row, left to right.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x)
        if (bits_[Index(x, y)]) visit(Point{x, y});
  }
  // The eight pixels of one byte of a screen line (bit 7 the leftmost).
  std::uint8_t ByteAt(int column, int line) const;
  void AddAll(const PixelSet& other) { bits_ |= other.bits_; }
  friend bool operator==(const PixelSet& a, const PixelSet& b) { return a.bits_ == b.bits_; }

 private:
  static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y) * PictureWidth + x; }
  void AddOne(Point p);
  Symmetry symmetry_;
  std::bitset<PictureWidth * PictureHeight> bits_;
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
