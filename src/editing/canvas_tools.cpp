#include "editing/canvas_tools.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editing/clipboard.h"

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

// The editor image is the picture at scale z.
bool InsideCanvas(int z, Point at) {
  return at.X >= 0 && at.Y >= 0 && at.X < PictureWidth * z && at.Y < PictureHeight * z;
}

Point ToPicture(int z, Point at) { return {FloorDiv(at.X, z), FloorDiv(at.Y, z)}; }

bool InsidePicture(Point p) { return p.X >= 0 && p.X < PictureWidth && p.Y >= 0 && p.Y < PictureHeight; }

// No canvas point lies this far off the picture; refusing such ends keeps
// the step count and the error term small.
constexpr int FarthestLineEnd = 1 << 16;

// The paint rule at every picture pixel of the line, both ends included;
// the status texts are those of the last pixel on the picture.
void PaintLine(Change& change, Pickers& pickers, ToolKind tool, Point from, Point to) {
  for (int v : {from.X, from.Y, to.X, to.Y})
    if (std::abs(v) > FarthestLineEnd) return;
  ForEachLinePoint(from, to, [&](Point p) { PaintPixel(change, pickers, tool, p); });
}

void PaintRectOutline(Change& change, Pickers& pickers, ToolKind tool, Point c0, Point c1) {
  PaintLine(change, pickers, tool, {c0.X, c0.Y}, {c1.X, c0.Y});
  PaintLine(change, pickers, tool, {c0.X, c1.Y}, {c1.X, c1.Y});
  PaintLine(change, pickers, tool, {c0.X, c0.Y}, {c0.X, c1.Y});
  PaintLine(change, pickers, tool, {c1.X, c0.Y}, {c1.X, c1.Y});
}

// Commits the tools' change: dropping an open one would roll it back.
void EndToolChange(ToolState& tools) {
  if (tools.OpenChange) tools.OpenChange->Commit();
  tools.OpenChange.reset();
  tools.Stroking = false;
}

Change& BeginToolChange(Canvas canvas, const char* name) {
  EndToolChange(canvas.Tools);
  return canvas.Tools.OpenChange.emplace(canvas.Doc, name);
}

// The tools' change, begun anew unless one is still open (an undo, say,
// may have committed it since the shape's first click).
Change& ToolChange(Canvas canvas, const char* name) {
  std::optional<Change>& open = canvas.Tools.OpenChange;
  if (open && open->IsOpen()) return *open;
  return BeginToolChange(canvas, name);
}

bool DrawsPixels(ToolKind tool) {
  return tool == ToolKind::Paint || tool == ToolKind::Line || tool == ToolKind::Rect || tool == ToolKind::Ellipse;
}

bool IsShapeTool(ToolKind tool) {
  return tool == ToolKind::Line || tool == ToolKind::Rect || tool == ToolKind::Ellipse;
}

std::string Decimal(int v) { return std::to_string(v); }

// Where the pointer is, in picture pixels and cells, and the cell's colours.
void ReadOut(CanvasFeedback& feedback, const Canvas& canvas, Point pixel) {
  const int h = canvas.Doc.ValidCellHeight();
  if (h == 0 || !InsidePicture(pixel)) return;
  feedback.StatusTexts = {"X: " + Decimal(pixel.X), "Y: " + Decimal(pixel.Y), "Ax: " + Decimal(pixel.X / 8),
                          "Ay: " + Decimal(pixel.Y / h)};
  feedback.CellPalette = CellPaletteAt(canvas.Doc.Picture(), pixel, canvas.Mixing);
}

}  // namespace

bool PaintPixel(Change& change, Pickers& pickers, ToolKind tool, Point pixel) {
  const int h = IsValidCellHeight(change.Picture().CellHeight) ? change.Picture().CellHeight : 0;
  if (h == 0 || !InsidePicture(pixel)) return false;

  const int column = pixel.X / 8;
  const int cellRow = pixel.Y / h;
  const int bit = pixel.X % 8;
  const int line = pixel.Y;
  const PaintedSpot spot{column, cellRow, bit, line};
  if (spot == pickers.LastPaintedSpot) return true;
  pickers.LastPaintedSpot = spot;

  const bool bit0 = pickers.ScreenBit(0) != 0;
  const bool bit1 = pickers.ScreenBit(1) != 0;
  if (pickers.EditModeRgb) {
    const int attrLine = change.Picture().AttrLineOf(column, line);
    const ColourSet& c = pickers.CurrentColours;
    change.SetAttr(0, column, attrLine, {c.PAP0, c.INK0});
    change.SetAttr(1, column, attrLine, {c.PAP1, c.INK1});
  }
  if (pickers.EditModePix && DrawsPixels(tool)) {
    change.SetPixelBit(0, pixel.X, pixel.Y, bit0);
    change.SetPixelBit(1, pixel.X, pixel.Y, bit1);
  }
  if (tool == ToolKind::FillCell) {
    // Whole rows of h lines, also in the side columns of 8x1 mode.
    const int first = (line / h) * h;
    for (int l = first; l < first + h; ++l) {
      change.SetPixelByte(0, column, l, bit0 ? 0xFF : 0x00);
      change.SetPixelByte(1, column, l, bit1 ? 0xFF : 0x00);
    }
  }
  return true;
}

void PickCellColours(const Picture& picture, Pickers& pickers, Point pixel) {
  if (!IsValidCellHeight(picture.CellHeight) || !InsidePicture(pixel)) return;
  const AttrEntry& a0 = picture.CellAttr(0, pixel.X, pixel.Y);
  const AttrEntry& a1 = picture.CellAttr(1, pixel.X, pixel.Y);
  pickers.CurrentColours = {a0.Paper, a0.Ink, a1.Paper, a1.Ink};
}

CharPalette CellPaletteAt(const Picture& picture, Point pixel, const MixingProfile& mixing) {
  if (!IsValidCellHeight(picture.CellHeight)) return {};
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
  const int z = canvas.Scale;
  if (!InsideCanvas(z, at)) return feedback;
  const int h = canvas.Doc.ValidCellHeight();
  if (h == 0) return feedback;
  const ToolKind tool = tools.Current;
  const Point pixel = ToPicture(z, at);
  if (tools.Floating) {
    // Placed where the press is, even if no move reported that place.
    tools.LastPointer = pixel;
    FollowPointer(tools, h);
    if (pressed.Left) PlaceFloatingPaste(canvas.Doc, tools);
    return feedback;
  }

  if (tool == ToolKind::Select) {
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
    Change& stroke = BeginToolChange(canvas, ChangeName(tool));
    tools.Stroking = true;
    tools.StrokeEnd = pixel;
    PaintPixel(stroke, canvas.Colours, tool, pixel);
  }
  if (pressed.Right) {
    PickCellColours(canvas.Doc.Picture(), canvas.Colours, pixel);
    feedback.ColoursPicked = true;
  }
  if ((tool == ToolKind::Rect || tool == ToolKind::Ellipse) && pressed.Left) {
    if (tools.ShapeInProgress) {
      tools.ShapeInProgress = false;
      Change& change = ToolChange(canvas, ChangeName(tool));
      if (tool == ToolKind::Rect) PaintRectOutline(change, canvas.Colours, tool, ToPicture(z, tools.ShapeStart), pixel);
      EndToolChange(tools);
    } else {
      BeginToolChange(canvas, ChangeName(tool));
      tools.ShapeStart = at;
      tools.ShapeInProgress = true;
    }
    tools.ShapeEnd.reset();
  }
  if (tool == ToolKind::Line && pressed.Left) {
    // The clicks of one line stay one change until something else begins one.
    if (tools.ShapeInProgress)
      PaintLine(ToolChange(canvas, ChangeName(tool)), canvas.Colours, tool, ToPicture(z, tools.ShapeStart), pixel);
    else
      BeginToolChange(canvas, ChangeName(tool));
    tools.ShapeStart = at;
    tools.ShapeInProgress = true;
    tools.ShapeEnd.reset();
  }
  ReadOut(feedback, canvas, pixel);  // after the paint, so the cell's colours are its new ones
  return feedback;
}

CanvasFeedback CanvasMouseMove(Canvas canvas, MouseButtons held, Point at) {
  CanvasFeedback feedback;
  ToolState& tools = canvas.Tools;
  const int z = canvas.Scale;
  const Point pixel = ToPicture(z, at);
  tools.LastPointer = pixel;
  // A release the canvas never saw ends the stroke.
  if (tools.Stroking && !held.Left) EndToolChange(tools);
  if (tools.Stroking) {
    // Off the canvas too: the line runs on to the picture's edge.
    if (tools.OpenChange && tools.OpenChange->IsOpen())
      PaintLine(*tools.OpenChange, canvas.Colours, tools.Current, tools.StrokeEnd, pixel);
    tools.StrokeEnd = pixel;
    if (InsideCanvas(z, at)) ReadOut(feedback, canvas, pixel);
    return feedback;
  }
  const int h = canvas.Doc.ValidCellHeight();
  FollowPointer(tools, h);
  if (!InsideCanvas(z, at) || h == 0) return feedback;
  const ToolKind tool = tools.Current;
  if (tools.ShapeInProgress && IsShapeTool(tool)) tools.ShapeEnd = at;
  CellSelection& s = tools.Selection;
  if (tool == ToolKind::Select && s.Dragging) {
    const int c = at.X / (8 * z);
    const int r = at.Y / (h * z);
    s.Left = std::min(c, s.AnchorColumn);
    s.Width = std::abs(c - s.AnchorColumn) + 1;
    s.Top = std::min(r, s.AnchorRow);
    s.Height = std::abs(r - s.AnchorRow) + 1;
  }
  // A move with the left button held but no stroke (its press was not on
  // the canvas) paints nothing; every tool reads out where the pointer is.
  ReadOut(feedback, canvas, pixel);
  return feedback;
}

void CanvasMouseUp(ToolState& tools) {
  tools.Selection.Dragging = false;
  if (tools.Stroking) EndToolChange(tools);
}

EditorOverlay CanvasOverlay(const Picture& picture, const ToolState& tools, const Pickers& pickers,
                            const MixingProfile& mixing, int z, int h) {
  EditorOverlay overlay;
  if (tools.ShapeInProgress && tools.ShapeEnd && IsShapeTool(tools.Current)) {
    overlay.Band = tools.Current == ToolKind::Line   ? EditorOverlay::Shape::Line
                   : tools.Current == ToolKind::Rect ? EditorOverlay::Shape::Rect
                                                     : EditorOverlay::Shape::Ellipse;
    overlay.From = tools.ShapeStart;
    overlay.To = *tools.ShapeEnd;
    overlay.PenWidth = z;
    overlay.Colour = SelectedCharColourRgb(pickers, mixing);
  }
  if (tools.Selection.Shown && h != 0) {
    overlay.Ants = true;
    overlay.AntsArea = SelectionOnEditor(tools.Selection, z, h);
  }
  if (tools.Floating && h != 0) {
    FloatingPreview preview = PreviewFloatingPaste(picture, tools, mixing);
    const Rect o = preview.Outline;
    overlay.Floats = true;
    overlay.FloatPixels = std::move(preview.Pixels);
    overlay.FloatAt = {preview.Area.X * z, preview.Area.Y * z};
    overlay.FloatOutline = {o.X * z, o.Y * z, o.W * z, o.H * z};
  }
  return overlay;
}

}  // namespace chromaloom
