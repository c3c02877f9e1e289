#include "editing/canvas_tools.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "editing/clipboard.h"
#include "editing/drawing.h"
#include "editing/pixel_font.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

bool IsShapeTool(ToolKind tool) {
  return tool == ToolKind::Line || tool == ToolKind::Rect || tool == ToolKind::Ellipse;
}

// How the Edit menu names what a tool did.
const char* ChangeName(ToolKind tool) {
  switch (tool) {
    case ToolKind::Paint:
      return QT_TRANSLATE_NOOP("Changes", "Pencil");
    case ToolKind::FillCell:
      return QT_TRANSLATE_NOOP("Changes", "Fill Char");
    case ToolKind::Line:
      return QT_TRANSLATE_NOOP("Changes", "Line");
    case ToolKind::Rect:
      return QT_TRANSLATE_NOOP("Changes", "Rectangle");
    case ToolKind::Ellipse:
      return QT_TRANSLATE_NOOP("Changes", "Ellipse");
    case ToolKind::FloodFill:
      return QT_TRANSLATE_NOOP("Changes", "Flood Fill");
    case ToolKind::Text:
      return QT_TRANSLATE_NOOP("Changes", "Text");
    case ToolKind::ConvertBrush:
      return QT_TRANSLATE_NOOP("Changes", "Convert Brush");
    case ToolKind::Select:
      break;
  }
  return QT_TRANSLATE_NOOP("Changes", "Change");
}

// The editor image is the picture at scale z.
bool InsideCanvas(int z, Point at) {
  return at.X >= 0 && at.Y >= 0 && at.X < PictureWidth * z && at.Y < PictureHeight * z;
}

Point ToPicture(int z, Point at) { return {FloorDiv(at.X, z), FloorDiv(at.Y, z)}; }

// Commits the tools' change: dropping an open one would roll it back.
void EndToolChange(ToolState& tools) {
  if (tools.OpenChange) tools.OpenChange->Commit();
  tools.OpenChange.reset();
  tools.Stroking = false;
}

Change& BeginToolChange(Canvas canvas, const char* name) {
  EndToolChange(canvas.Tools);
  canvas.Tools.Painted = PixelSet();
  return canvas.Tools.OpenChange.emplace(canvas.Doc, name);
}

// The tools' change, begun anew unless one is still open (an undo, say,
// may have committed it since the shape's first click).
Change& ToolChange(Canvas canvas, const char* name) {
  std::optional<Change>& open = canvas.Tools.OpenChange;
  if (open && open->IsOpen()) return *open;
  return BeginToolChange(canvas, name);
}

bool DrawsPixels(ToolKind tool) { return tool != ToolKind::FillCell && tool != ToolKind::Select; }

// The tools whose outlines the brush draws.
bool UsesBrush(ToolKind tool) { return tool == ToolKind::Paint || tool == ToolKind::ConvertBrush || IsShapeTool(tool); }

std::string Decimal(int v) { return std::to_string(v); }

// Where the pointer is, in picture pixels and cells, and the cell's colours.
void ReadOut(CanvasFeedback& feedback, const Canvas& canvas, Point pixel) {
  const int h = canvas.Doc.ValidCellHeight();
  if (h == 0 || !IsOnPicture(pixel)) return;
  feedback.StatusTexts = {"X: " + Decimal(pixel.X), "Y: " + Decimal(pixel.Y), "Ax: " + Decimal(pixel.X / 8),
                          "Ay: " + Decimal(pixel.Y / h)};
  feedback.CellPalette = CellPaletteAt(canvas.Doc.Picture(), pixel, canvas.Mixing);
}

// A new mask that mirrors as the tools' symmetry says.
PixelSet ToolMask(const ToolState& tools) { return PixelSet(tools.Options.Symmetry); }

const Brush& BrushOf(const ToolState& tools) {
  static const Brush single;
  return UsesBrush(tools.Current) ? tools.Options.Brush : single;
}

// Painted through the tools' change; in free colour the pixels the change
// painted before keep the colour as their cells are solved again.
void PaintToolMask(Change& change, Canvas& canvas, const PixelSet& mask) {
  ToolState& tools = canvas.Tools;
  if (!PaintMask(change, canvas.Colours, tools.Current, mask, tools.Options.Pattern, canvas.Scope, &tools.Painted))
    tools.ColourNotShown = true;
  tools.Painted.AddAll(mask);
}

// The stroke's line from its last point, with the brush.
void PaintStrokeTo(Change& change, Canvas& canvas, Point from, Point to) {
  PixelSet mask = ToolMask(canvas.Tools);
  AddLine(mask, from, to, BrushOf(canvas.Tools));
  PaintToolMask(change, canvas, mask);
}

void PaintShape(Change& change, Canvas& canvas, Point corner0, Point corner1) {
  const ToolState& tools = canvas.Tools;
  PixelSet mask = ToolMask(tools);
  if (tools.Current == ToolKind::Rect)
    AddRect(mask, corner0, corner1, tools.Options.Brush, tools.Options.Filled);
  else
    AddEllipse(mask, corner0, corner1, tools.Options.Brush, tools.Options.Filled);
  PaintToolMask(change, canvas, mask);
}

// The picture as the view in use shows it: the canvas's raster, or the
// mixed colours worked out into fallback.
const Raster& ShownPicture(const Canvas& canvas, Raster& fallback) {
  if (canvas.Shown) return *canvas.Shown;
  const Picture& picture = canvas.Doc.Picture();
  fallback = Raster(PictureWidth, PictureHeight);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const int entry = picture.ColourIndexAt(x, y);
      fallback.At(x, y) = CellPaletteAt(picture, {x, y}, canvas.Mixing)[static_cast<std::size_t>(entry)];
    }
  return fallback;
}

// The text as typed so far, in the picture: what it showed before is put back first.
void ShowText(Canvas& canvas) {
  ToolState& tools = canvas.Tools;
  tools.OpenChange.reset();  // rolls the letters shown so far back
  Change& change = BeginToolChange(canvas, ChangeName(ToolKind::Text));
  PixelSet mask = ToolMask(tools);
  tools.Text->Advance = TextFaceOf(tools).AddText(mask, tools.Text->Letters, tools.Text->Origin);
  PaintMask(change, canvas.Colours, ToolKind::Text, mask, tools.Options.Pattern, canvas.Scope);
}

// Where the axes' handles are on the editor image: a square at the top
// end of the vertical axis, one at the left end of the horizontal one.
Rect AxisHandle(const Symmetry& symmetry, bool vertical, int z) {
  const int size = std::max(12, 2 * z);
  if (vertical) return {symmetry.AxisX2 * z / 2 - size / 2, 0, size, size};
  return {0, symmetry.AxisY2 * z / 2 - size / 2, size, size};
}

bool Inside(Rect r, Point p) { return p.X >= r.X && p.X < r.Right() && p.Y >= r.Y && p.Y < r.Bottom(); }

// Half pixels nearest an editor image point, kept on the picture.
int HalfPixels(int editor, int z, int limit) { return std::clamp((2 * editor + z / 2) / z, 0, 2 * limit); }

}  // namespace

const TextFace& TextFaceOf(const ToolState& tools) {
  static const BuiltinTextFace builtin;
  return tools.Face ? *tools.Face : builtin;
}

void TypeText(Canvas canvas, std::u32string_view letters) {
  if (!canvas.Tools.Text) return;
  canvas.Tools.Text->Letters += letters;
  ShowText(canvas);
}

void EraseLetter(Canvas canvas) {
  if (!canvas.Tools.Text || canvas.Tools.Text->Letters.empty()) return;
  canvas.Tools.Text->Letters.pop_back();
  ShowText(canvas);
}

void CommitText(ToolState& tools) {
  if (!tools.Text) return;
  tools.Text.reset();
  EndToolChange(tools);
}

void CancelText(ToolState& tools) {
  if (!tools.Text) return;
  tools.Text.reset();
  tools.OpenChange.reset();  // rolls the letters back
}

void MoveAxesTo(ToolState& tools, int z) {
  Symmetry& symmetry = tools.Options.Symmetry;
  if (symmetry.MirrorsX()) symmetry.AxisX2 = HalfPixels(tools.LastCanvasPoint.X, z, PictureWidth);
  if (symmetry.MirrorsY()) symmetry.AxisY2 = HalfPixels(tools.LastCanvasPoint.Y, z, PictureHeight);
}

bool PaintPixel(Change& change, Pickers& pickers, ToolKind tool, Point pixel, int screen) {
  const int h = IsValidCellHeight(change.Picture().CellHeight) ? change.Picture().CellHeight : 0;
  if (h == 0 || !IsOnPicture(pixel)) return false;

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
    if (screen != 1) change.SetAttr(0, column, attrLine, {c.PAP0, c.INK0});
    if (screen != 0) change.SetAttr(1, column, attrLine, {c.PAP1, c.INK1});
  }
  if (pickers.EditModePix && DrawsPixels(tool)) {
    if (screen != 1) change.SetPixelBit(0, pixel.X, pixel.Y, bit0);
    if (screen != 0) change.SetPixelBit(1, pixel.X, pixel.Y, bit1);
  }
  if (tool == ToolKind::FillCell) {
    // Whole rows of h lines, also in the side columns of 8x1 mode.
    const int first = (line / h) * h;
    for (int l = first; l < first + h; ++l) {
      if (screen != 1) change.SetPixelByte(0, column, l, bit0 ? 0xFF : 0x00);
      if (screen != 0) change.SetPixelByte(1, column, l, bit1 ? 0xFF : 0x00);
    }
  }
  return true;
}

void PickCellColours(const Picture& picture, Pickers& pickers, Point pixel) {
  if (!IsValidCellHeight(picture.CellHeight) || !IsOnPicture(pixel)) return;
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
  tools.LastCanvasPoint = at;
  if (tools.Floating) {
    // Placed where the press is, even if no move reported that place.
    tools.LastPointer = pixel;
    FollowPointer(tools, h);
    if (pressed.Left) PlaceFloatingPaste(canvas.Doc, tools);
    return feedback;
  }
  const Symmetry& symmetry = tools.Options.Symmetry;
  if (pressed.Left && ((symmetry.MirrorsX() && Inside(AxisHandle(symmetry, true, z), at)) ||
                       (symmetry.MirrorsY() && Inside(AxisHandle(symmetry, false, z), at)))) {
    tools.DraggingAxis = true;
    tools.AxisDragVertical = symmetry.MirrorsX() && Inside(AxisHandle(symmetry, true, z), at);
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
  if ((tool == ToolKind::Paint || tool == ToolKind::FillCell || tool == ToolKind::ConvertBrush) && pressed.Left) {
    Change& stroke = BeginToolChange(canvas, ChangeName(tool));
    tools.Stroking = true;
    tools.StrokeEnd = pixel;
    PaintStrokeTo(stroke, canvas, pixel, pixel);
  }
  if (tool == ToolKind::FloodFill && pressed.Left) {
    Change& change = BeginToolChange(canvas, ChangeName(tool));
    Raster fallback;
    PaintToolMask(change, canvas, FloodRegion(ShownPicture(canvas, fallback), pixel, symmetry));
    EndToolChange(tools);
  }
  if (tool == ToolKind::Text && pressed.Left) {
    CommitText(tools);
    tools.Text = TextEntry{pixel, {}, 0};
    BeginToolChange(canvas, ChangeName(tool));
  }
  if (pressed.Right) {
    // In free colour the pixel's own colour as the view shows it.
    Raster fallback;
    if (canvas.Colours.FreeColourMode) canvas.Colours.FreeColour = ShownPicture(canvas, fallback).At(pixel.X, pixel.Y);
    PickCellColours(canvas.Doc.Picture(), canvas.Colours, pixel);
    feedback.ColoursPicked = true;
  }
  if ((tool == ToolKind::Rect || tool == ToolKind::Ellipse) && pressed.Left) {
    if (tools.ShapeInProgress) {
      tools.ShapeInProgress = false;
      Change& change = ToolChange(canvas, ChangeName(tool));
      const Point start = ToPicture(z, tools.ShapeStart);
      PaintShape(change, canvas, start, pressed.Shift ? SquareCorner(start, pixel) : pixel);
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
      PaintStrokeTo(ToolChange(canvas, ChangeName(tool)), canvas, ToPicture(z, tools.ShapeStart), pixel);
    else
      BeginToolChange(canvas, ChangeName(tool));
    tools.ShapeStart = at;
    tools.ShapeInProgress = true;
    tools.ShapeEnd.reset();
  }
  ReadOut(feedback, canvas, pixel);  // after the paint, so the cell's colours are its new ones
  feedback.ColourNotShown = std::exchange(tools.ColourNotShown, false);
  return feedback;
}

CanvasFeedback CanvasMouseMove(Canvas canvas, MouseButtons held, Point at) {
  CanvasFeedback feedback;
  ToolState& tools = canvas.Tools;
  const int z = canvas.Scale;
  const Point pixel = ToPicture(z, at);
  tools.LastPointer = pixel;
  tools.LastCanvasPoint = at;
  tools.ShiftHeld = held.Shift;
  if (tools.DraggingAxis && !held.Left) tools.DraggingAxis = false;
  if (tools.DraggingAxis) {
    Symmetry& symmetry = tools.Options.Symmetry;
    if (tools.AxisDragVertical)
      symmetry.AxisX2 = HalfPixels(at.X, z, PictureWidth);
    else
      symmetry.AxisY2 = HalfPixels(at.Y, z, PictureHeight);
    return feedback;
  }
  // A release the canvas never saw ends the stroke.
  if (tools.Stroking && !held.Left) EndToolChange(tools);
  if (tools.Stroking) {
    // Off the canvas too: the line runs on to the picture's edge.
    if (tools.OpenChange && tools.OpenChange->IsOpen())
      PaintStrokeTo(*tools.OpenChange, canvas, tools.StrokeEnd, pixel);
    tools.StrokeEnd = pixel;
    if (InsideCanvas(z, at)) ReadOut(feedback, canvas, pixel);
    feedback.ColourNotShown = std::exchange(tools.ColourNotShown, false);
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
  tools.DraggingAxis = false;
  if (tools.Stroking) EndToolChange(tools);
}

EditorOverlay CanvasOverlay(const Picture& picture, const ToolState& tools, const Pickers& pickers,
                            const MixingProfile& mixing, int z, int h) {
  EditorOverlay overlay;
  const Rgb colour = SelectedCharColourRgb(pickers, mixing);
  if (tools.ShapeInProgress && tools.ShapeEnd && IsShapeTool(tools.Current)) {
    overlay.Band = tools.Current == ToolKind::Line   ? EditorOverlay::Shape::Line
                   : tools.Current == ToolKind::Rect ? EditorOverlay::Shape::Rect
                                                     : EditorOverlay::Shape::Ellipse;
    overlay.From = tools.ShapeStart;
    overlay.To = tools.ShiftHeld && tools.Current != ToolKind::Line ? SquareCorner(tools.ShapeStart, *tools.ShapeEnd)
                                                                    : *tools.ShapeEnd;
    overlay.PenWidth = z;
    overlay.Colour = colour;
  }
  // A brush wider than a pixel shows where it will paint.
  const Brush& brush = tools.Options.Brush;
  if (UsesBrush(tools.Current) && brush.Size > 1 && IsOnPicture(tools.LastPointer) && !tools.Floating) {
    const int first = -(brush.Size - 1) / 2;
    overlay.BrushOutline = {(tools.LastPointer.X + first) * z, (tools.LastPointer.Y + first) * z, brush.Size * z,
                            brush.Size * z};
    overlay.BrushRound = brush.Shape == BrushShape::Round && brush.Size > 2;
    overlay.BrushColour = colour;
  }
  const Symmetry& symmetry = tools.Options.Symmetry;
  if (symmetry.MirrorsX()) overlay.AxisX = symmetry.AxisX2 * z / 2;
  if (symmetry.MirrorsY()) overlay.AxisY = symmetry.AxisY2 * z / 2;
  overlay.AxisHandleSize = AxisHandle(symmetry, true, z).W;
  if (tools.Text) {
    overlay.Caret = {(tools.Text->Origin.X + tools.Text->Advance) * z, tools.Text->Origin.Y * z, std::max(1, z / 2),
                     TextFaceOf(tools).Height() * z};
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
