#include "editing/canvas_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <string>

namespace chromaloom {

namespace {

// How the Edit menu names what a tool did.
const char* ChangeName(ToolKind tool) {
  switch (tool) {
    case ToolKind::Paint:
      return "Pencil";
    case ToolKind::FillCell:
      return "Fill Char";
    case ToolKind::Line:
      return "Line";
    case ToolKind::Rect:
      return "Rectangle";
    case ToolKind::Ellipse:
      return "Ellipse";
    case ToolKind::Select:
      break;
  }
  return "Change";
}

bool InsideCanvas(const View& view, Point at) { return view.Render.EditorImage.Contains(at.X, at.Y); }

Point ToPicture(const View& view, Point at) {
  const int z = view.Scale();
  return {FloorDiv(at.X, z), FloorDiv(at.Y, z)};
}

bool InsidePicture(Point p) { return p.X >= 0 && p.X < PictureWidth && p.Y >= 0 && p.Y < PictureHeight; }

// No canvas point lies this far off the picture; refusing such ends keeps
// the step count and the error term small.
constexpr int FarthestLineEnd = 1 << 16;

// DrawLine, reporting the status texts of the last paint.
void DrawLineReporting(Canvas canvas, Point from, Point to, CanvasFeedback& feedback) {
  const Point p0 = ToPicture(canvas.Display, from);
  const Point p1 = ToPicture(canvas.Display, to);
  for (int v : {p0.X, p0.Y, p1.X, p1.Y})
    if (std::abs(v) > FarthestLineEnd) return;
  const int z = canvas.Display.Scale();
  ForEachLinePoint(p0, p1, [&](Point p) {
    CanvasFeedback painted = PaintAt(canvas, {p.X * z, p.Y * z});
    if (painted.StatusTexts) feedback.StatusTexts = painted.StatusTexts;
  });
}

void DrawRectOutlineReporting(Canvas canvas, Point c0, Point c1, CanvasFeedback& feedback) {
  DrawLineReporting(canvas, {c0.X, c0.Y}, {c1.X, c0.Y}, feedback);
  DrawLineReporting(canvas, {c0.X, c1.Y}, {c1.X, c1.Y}, feedback);
  DrawLineReporting(canvas, {c0.X, c0.Y}, {c0.X, c1.Y}, feedback);
  DrawLineReporting(canvas, {c1.X, c0.Y}, {c1.X, c1.Y}, feedback);
}

// The ellipse inscribed in the rectangle with corners c0 and c1, drawn as a
// chain of short pen strokes.
void DrawOverlayEllipse(Renderer& render, Point c0, Point c1, int penWidth, Rgb colour) {
  const double cx = (c0.X + c1.X) / 2.0, cy = (c0.Y + c1.Y) / 2.0;
  const double rx = std::abs(c1.X - c0.X) / 2.0, ry = std::abs(c1.Y - c0.Y) / 2.0;
  // About one stroke per 8 canvas pixels of the outline.
  const int steps = static_cast<int>(std::clamp(std::numbers::pi * (rx + ry) / 8.0, 8.0, 512.0));
  auto at = [&](int i) {
    const double t = 2.0 * std::numbers::pi * i / steps;
    return Point{static_cast<int>(std::lround(cx + rx * std::cos(t))),
                 static_cast<int>(std::lround(cy + ry * std::sin(t)))};
  };
  Point previous = at(0);
  for (int i = 1; i <= steps; ++i) {
    const Point next = at(i);
    render.DrawOverlayLine(previous, next, penWidth, colour);
    previous = next;
  }
}

bool DrawsPixels(ToolKind tool) {
  return tool == ToolKind::Paint || tool == ToolKind::Line || tool == ToolKind::Rect || tool == ToolKind::Ellipse;
}

bool IsShapeTool(ToolKind tool) { return tool == ToolKind::Line || tool == ToolKind::Rect || tool == ToolKind::Ellipse; }

std::string Decimal(int v) { return std::to_string(v); }

}  // namespace

std::optional<std::array<std::string, 4>> PaintPixel(Document& document, Pickers& pickers, ToolKind tool,
                                                      Point pixel) {
  const int h = document.ValidCellHeight();
  if (h == 0 || !InsidePicture(pixel)) return std::nullopt;

  const int column = pixel.X / 8;
  const int cellRow = pixel.Y / h;
  const int bit = pixel.X % 8;
  const int line = pixel.Y;
  const std::array<std::string, 4> status{Decimal(column), Decimal(cellRow), Decimal(bit), Decimal(line)};
  const PaintedSpot spot{column, cellRow, bit, line};
  if (spot == pickers.LastPaintedSpot) return status;
  pickers.LastPaintedSpot = spot;

  const bool bit0 = pickers.ScreenBit(0) != 0;
  const bool bit1 = pickers.ScreenBit(1) != 0;
  if (pickers.EditModeRgb) {
    const int attrLine = document.Picture().AttrLineOf(column, line);
    const ColourSet& c = pickers.CurrentColours;
    document.SetAttr(0, column, attrLine, {c.PAP0, c.INK0});
    document.SetAttr(1, column, attrLine, {c.PAP1, c.INK1});
  }
  if (pickers.EditModePix && DrawsPixels(tool)) {
    document.SetPixelBit(0, pixel.X, pixel.Y, bit0);
    document.SetPixelBit(1, pixel.X, pixel.Y, bit1);
  }
  if (tool == ToolKind::FillCell) {
    // Whole rows of h lines, also in the side columns of 8x1 mode.
    const int first = (line / h) * h;
    for (int l = first; l < first + h; ++l) {
      document.SetPixelByte(0, column, l, bit0 ? 0xFF : 0x00);
      document.SetPixelByte(1, column, l, bit1 ? 0xFF : 0x00);
    }
  }
  return status;
}

CanvasFeedback PaintAt(Canvas canvas, Point at) {
  CanvasFeedback feedback;
  const Point pixel = ToPicture(canvas.Display, at);
  const PaintedSpot before = canvas.Colours.LastPaintedSpot;
  feedback.StatusTexts = PaintPixel(canvas.Doc, canvas.Colours, canvas.Tools.Current, pixel);
  if (feedback.StatusTexts && canvas.Colours.LastPaintedSpot != before)
    canvas.Display.Render.RenderCell(pixel.X / 8, pixel.Y);
  return feedback;
}

void DrawLine(Canvas canvas, Point from, Point to) {
  CanvasFeedback ignored;
  DrawLineReporting(canvas, from, to, ignored);
}

void DrawRectOutline(Canvas canvas, Point corner0, Point corner1) {
  CanvasFeedback ignored;
  DrawRectOutlineReporting(canvas, corner0, corner1, ignored);
}

void PickCellColours(const Picture& picture, Pickers& pickers, Point pixel) {
  if (!IsValidCharMode(picture.CharMode) || !InsidePicture(pixel)) return;
  const AttrEntry& a0 = picture.CellAttr(0, pixel.X, pixel.Y);
  const AttrEntry& a1 = picture.CellAttr(1, pixel.X, pixel.Y);
  pickers.CurrentColours = {a0.Paper, a0.Ink, a1.Paper, a1.Ink};
}

CharPalette CellPaletteAt(const Picture& picture, Point pixel, const MixingProfile& mixing) {
  if (!IsValidCharMode(picture.CharMode)) return {};
  const int x = std::clamp(pixel.X, 0, PictureWidth - 1);
  const int y = std::clamp(pixel.Y, 0, PictureHeight - 1);
  const AttrEntry& a0 = picture.CellAttr(0, x, y);
  const AttrEntry& a1 = picture.CellAttr(1, x, y);
  // Mix checks the indexes: a damaged file may hold colour bytes past 14.
  return {mixing.Mix(a0.Paper, a1.Paper), mixing.Mix(a0.Paper, a1.Ink), mixing.Mix(a0.Ink, a1.Paper),
          mixing.Mix(a0.Ink, a1.Ink)};
}

CanvasFeedback CanvasMouseDown(Canvas canvas, MouseButtons pressed, Point at) {
  CanvasFeedback feedback;
  ToolState& tools = canvas.Tools;
  if (tools.CanvasInputSuspended || !InsideCanvas(canvas.Display, at)) return feedback;
  const int h = canvas.Doc.ValidCellHeight();
  if (h == 0) return feedback;
  const int z = canvas.Display.Scale();
  const ToolKind tool = tools.Current;

  if (tool == ToolKind::Select) {
    canvas.Display.Render.Redraw(false);
    CellSelection& s = tools.Selection;
    s.Shown = true;
    s.Dragging = true;
    s.AnchorColumn = at.X / (8 * z);
    s.AnchorRow = at.Y / (h * z);
    s.Left = s.AnchorColumn;
    s.Top = s.AnchorRow;
    s.Width = 1;
    s.Height = 1;
  }
  if ((tool == ToolKind::Paint || tool == ToolKind::FillCell) && pressed.Left) {
    canvas.Doc.BeginChange(ChangeName(tool));
    feedback = PaintAt(canvas, at);
  }
  if (pressed.Right) {
    PickCellColours(canvas.Doc.Picture(), canvas.Colours, ToPicture(canvas.Display, at));
    feedback.ColoursPicked = true;
  }
  if ((tool == ToolKind::Rect || tool == ToolKind::Ellipse) && pressed.Left) {
    if (tools.ShapeInProgress) {
      tools.ShapeInProgress = false;
      if (tool == ToolKind::Rect) DrawRectOutlineReporting(canvas, tools.ShapeStart, at, feedback);
      canvas.Display.Render.Redraw(false);
    } else {
      canvas.Doc.BeginChange(ChangeName(tool));
      tools.ShapeStart = at;
      tools.ShapeInProgress = true;
    }
  }
  if (tool == ToolKind::Line && pressed.Left) {
    if (tools.ShapeInProgress)
      DrawLineReporting(canvas, tools.ShapeStart, at, feedback);
    else
      canvas.Doc.BeginChange(ChangeName(tool));
    tools.ShapeStart = at;
    tools.ShapeInProgress = true;
  }
  return feedback;
}

CanvasFeedback CanvasMouseMove(Canvas canvas, MouseButtons held, Point at) {
  CanvasFeedback feedback;
  ToolState& tools = canvas.Tools;
  Renderer& render = canvas.Display.Render;
  const int h = canvas.Doc.ValidCellHeight();
  if (!tools.CanvasInputSuspended) {
    tools.LastCanvasPointer = at;
    if (InsideCanvas(canvas.Display, at) && h != 0) {
      const int z = canvas.Display.Scale();
      const ToolKind tool = tools.Current;
      if (tools.ShapeInProgress && IsShapeTool(tool)) {
        render.Redraw(false);
        const Rgb colour = SelectedCharColourRgb(canvas.Colours, canvas.Display.Mixing());
        if (tool == ToolKind::Line)
          render.DrawOverlayLine(tools.ShapeStart, at, z, colour);
        else if (tool == ToolKind::Rect)
          render.DrawOverlayRectOutline(tools.ShapeStart, at, z, colour);
        else
          DrawOverlayEllipse(render, tools.ShapeStart, at, z, colour);
      }
      CellSelection& s = tools.Selection;
      if (tool == ToolKind::Select && s.Dragging) {
        render.Redraw(false);
        render.DrawEditorAnts(SelectionOnEditor(s, z, h), canvas.Display.AntsPhase(), canvas.Display.Ants());
        const int c = at.X / (8 * z);
        const int r = at.Y / (h * z);
        s.Left = std::min(c, s.AnchorColumn);
        s.Width = std::abs(c - s.AnchorColumn) + 1;
        s.Top = std::min(r, s.AnchorRow);
        s.Height = std::abs(r - s.AnchorRow) + 1;
      }
      if (tool == ToolKind::Paint || tool == ToolKind::FillCell) {
        if (held.Left) {
          feedback = PaintAt(canvas, at);
        } else {
          const int px = at.X / z, py = at.Y / z;
          feedback.StatusTexts = {"X: " + Decimal(px), "Y: " + Decimal(py), "Ax: " + Decimal(px / 8),
                                  "Ay: " + Decimal(py / h)};
          feedback.CellPalette = CellPaletteAt(canvas.Doc.Picture(), ToPicture(canvas.Display, at), canvas.Display.Mixing());
        }
      }
    }
  }
  render.UpdateZoomMagnifier(at.X, at.Y);
  return feedback;
}

void CanvasMouseUp(ToolState& tools) { tools.Selection.Dragging = false; }

void TickSelectionAnts(const Document& document, View& view, ToolState& tools) {
  tools.CanvasInputSuspended = false;
  view.AdvanceAnts();
  const int h = document.ValidCellHeight();
  if (tools.Selection.Shown && h != 0) {
    view.Render.Redraw(false);
    view.Render.DrawEditorAnts(SelectionOnEditor(tools.Selection, view.Scale(), h), view.AntsPhase(), view.Ants());
  }
}

}  // namespace chromaloom
