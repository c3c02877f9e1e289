// The drawing tools' state: the current tool, the shape being drawn, the
// selection rectangle and its drag.
#pragma once

#include <cstdint>

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

struct ToolState {
  ToolKind Current = ToolKind::Paint;
  bool ShapeInProgress = false;
  Point ShapeStart;         // canvas coordinates
  Point LastCanvasPointer;  // canvas coordinates
  CellSelection Selection;
  // Set by Open; the canvas drops mouse input until the next timer tick.
  bool CanvasInputSuspended = false;
};

// The selection's outline on the editor image at scale z and cell height h.
constexpr Rect SelectionOnEditor(const CellSelection& s, int z, int h) {
  return {s.Left * 8 * z, s.Top * h * z, s.Width * 8 * z, s.Height * h * z};
}

}  // namespace chromaloom
