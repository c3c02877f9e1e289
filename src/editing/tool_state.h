// The drawing tools' state: the current tool, the shape being drawn, the
// stroke under way, the selection rectangle and its drag.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editing/drawing_options.h"
#include "picture/document.h"
#include "picture/geometry.h"

namespace chromaloom {

// Select's 255 is kept on purpose, not a slip: it is the number this tool has always had.
enum class ToolKind : std::uint8_t {
  Paint = 0,
  FillCell = 1,
  Line = 2,
  Rect = 3,
  Ellipse = 4,
  FloodFill = 5,
  Text = 6,
  ConvertBrush = 7,
  Select = 255
};

// The one rectangle of attribute cells the selection tool marks.
struct CellSelection {
  bool Dragging = false;
  bool Shown = false;  // its outline is drawn; the rectangle outlives it
  int Left = 0;
  int Top = 0;  // in cells of the current cell height
  int AnchorColumn = 0;
  int AnchorRow = 0;
  int Width = 0;
  int Height = 0;
};

// The program's own clipboard: the whole picture as it was at the copy,
// and the rectangle to cut out of it when pasting.
struct PictureClipboard {
  chromaloom::Planes Planes;
  int SourceLeft = 0;
  int SourceTop = 0;
  int SourceWidth = 0;
  int SourceHeight = 0;
};

// Cells lifted from the clipboard: they follow the pointer over the canvas
// and reach the picture only when placed.
struct FloatingPaste {
  PictureClipboard Cells;  // its own copy, so a copy made meanwhile does not change it
  Point Cell;              // (column, row) of its top-left cell
};

// The letters of a text being typed: they show in the picture as typed and
// become one step when committed.
struct TextEntry {
  Point Origin;  // picture pixel of the first letter's top-left
  std::u32string Letters;
  int Advance = 0;  // how far the letters reach, in pixels: the caret stands there
};

// Where a text's letters come from: the built-in font or an installed one.
class TextFace {
 public:
  virtual ~TextFace() = default;
  // The letters' pixels with their top-left at origin; returns how far the
  // next letter would start, in pixels.
  virtual int AddText(PixelSet& mask, std::u32string_view letters, Point origin) const = 0;
  virtual int Height() const = 0;
};

struct ToolState {
  ToolKind Current = ToolKind::Paint;
  DrawingOptions Options;
  bool ShapeInProgress = false;
  Point ShapeStart;  // canvas coordinates
  // Where the pointer last moved over the canvas since the shape's last
  // click: the other end of the rubber band. None: no band.
  std::optional<Point> ShapeEnd;
  // The picture pixel under the pointer at its last move (it may lie off
  // the picture), and the canvas point.
  Point LastPointer;
  Point LastCanvasPoint;
  // Shift was held at the last move: the shape's band is a square.
  bool ShiftHeld = false;
  CellSelection Selection;
  // The change the tools hold open: a stroke's from its press to its
  // release, or a shape's from its first click.
  std::optional<Change> OpenChange;
  // A stroke is under way: moves paint, from the picture pixel it reached last.
  bool Stroking = false;
  Point StrokeEnd;
  // The pixels the open change painted in free colour: they keep the colour
  // while later parts of the stroke solve their cells again.
  PixelSet Painted;
  // Free colour could not show the colour somewhere since the window last asked.
  bool ColourNotShown = false;
  // A paste waiting for a click or Enter; none: nothing floats.
  std::optional<FloatingPaste> Floating;
  // A text being typed; none: no caret.
  std::optional<TextEntry> Text;
  // The font of the text tool; none: the built-in one.
  std::shared_ptr<const TextFace> Face;
  // The symmetry axis follows the pointer while its handle is dragged.
  bool DraggingAxis = false;
  bool AxisDragVertical = false;  // the vertical axis's handle, else the horizontal one's

  ToolState() = default;
  ToolState(const ToolState&) = delete;
  ToolState& operator=(const ToolState&) = delete;
  // What the tools drew stays drawn.
  ~ToolState() {
    if (OpenChange) OpenChange->Commit();
  }
};

// The selection's outline on the editor image at scale z and cell height h.
constexpr Rect SelectionOnEditor(const CellSelection& s, int z, int h) {
  return {s.Left * 8 * z, s.Top * h * z, s.Width * 8 * z, s.Height * h * z};
}

}  // namespace chromaloom
