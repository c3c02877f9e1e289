// The drawing tools' state: the current tool, the shape being drawn, the
// stroke under way, the selection rectangle and its drag.
#pragma once

#include <cstdint>
#include <optional>

#include "picture/document.h"
#include "picture/geometry.h"

namespace chromaloom {

// Select's 255 is kept on purpose, not a slip: it is the number this tool has always had.
enum class ToolKind : std::uint8_t { Paint = 0, FillCell = 1, Line = 2, Rect = 3, Ellipse = 4, Select = 255 };

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

struct ToolState {
  ToolKind Current = ToolKind::Paint;
  bool ShapeInProgress = false;
  Point ShapeStart;  // canvas coordinates
  // Where the pointer last moved over the canvas since the shape's last
  // click: the other end of the rubber band. None: no band.
  std::optional<Point> ShapeEnd;
  // The picture pixel under the pointer at its last move (it may lie off the picture).
  Point LastPointer;
  CellSelection Selection;
  // The change the tools hold open: a stroke's from its press to its
  // release, or a shape's from its first click.
  std::optional<Change> OpenChange;
  // A stroke is under way: moves paint, from the picture pixel it reached last.
  bool Stroking = false;
  Point StrokeEnd;
  // A paste waiting for a click or Enter; none: nothing floats.
  std::optional<FloatingPaste> Floating;

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
