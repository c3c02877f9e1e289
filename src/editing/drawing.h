// What every drawing tool shares: the points of its shapes, the brush that
// widens them, the symmetry that mirrors them, the pattern that colours
// them, and the one rule that paints them. A tool collects its points in a
// PixelSet and paints the mask, so each pixel is painted once, as the
// pencil paints a spot.
#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

#include "editing/colour_pickers.h"
#include "editing/drawing_options.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "picture/geometry.h"
#include "picture/raster.h"

namespace chromaloom {

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
  friend bool operator==(const PixelSet& a, const PixelSet& b) { return a.bits_ == b.bits_; }

 private:
  static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y) * PictureWidth + x; }
  void AddOne(Point p);
  Symmetry symmetry_;
  std::bitset<PictureWidth * PictureHeight> bits_;
};

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

// The painting rule on every pixel of the mask: in PIX mode each takes the
// chosen entry, or the pattern's second one; in RGB mode each cell line the
// mask touches takes the current colours once. Fill Char fills the cell rows.
void PaintMask(Change& change, Pickers& pickers, ToolKind tool, const PixelSet& mask, Pattern pattern);

}  // namespace chromaloom
